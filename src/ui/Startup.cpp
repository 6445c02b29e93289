// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "Startup.h"

#include "platform/TextFile.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace quorin {

void useChineseInterface(QCoreApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

void useProgramFonts()
{
    QFont::insertSubstitution(QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"));
    QFont::insertSubstitution(QStringLiteral("Bookman Old Style"), QStringLiteral("URW Bookman"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Nimbus Roman"));
    QFont font(QStringLiteral("SimSun"), 9);
    QApplication::setFont(font);
}

void useProgramIcon()
{
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quorin"), QIcon(QStringLiteral(":/quorin.svg"))));
}

void endAtOnce(int status)
{
    closeAllFiles();
    std::fflush(nullptr);
    std::_Exit(status);
}

SingleCopy::SingleCopy()
    : lock_(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/quorin.lock"))
{
    // Never stale by age: only by its owner being gone.
    lock_.setStaleLockTime(0);
}

bool SingleCopy::isOnlyCopy() { return lock_.tryLock(0); }

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include <QPushButton>

namespace quorin::test {

WindowTest::WindowTest()
    : window({dialogs, [this](int status) { endings << status; },
              [this](const QUrl &url) {
                  opened << url;
                  return browserFound;
              },
              std::chrono::milliseconds(0)})
{
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    dir.makeFolder("src");
    showExposed(window);
}

void WindowTest::chooseSettings(const QString &type)
{
    control<QComboBox>("cboFileType").setCurrentText(type);
    control<QLineEdit>("txtAddString").setText("p");
    click("optPrefix");
    control<QComboBox>("cboSeries").setCurrentText("001_");
}

// A zero timer fires in every pass of event handling, and the window handles
// its events at every yield when its repaint interval is zero.
void WindowTest::atEveryYield(std::function<bool()> step)
{
    auto *timer = new QTimer(&window);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (step())
            timer->stop();
    });
    timer->start();
}

void WindowTest::onceStatusReads(const QString &text, std::function<void()> act)
{
    atEveryYield([this, text, act] { return status().startsWith(text) && (act(), true); });
}

void WindowTest::operate(const char *what, const std::function<void()> &start, bool yields,
                         const QStringList &enabledAfter)
{
    SCOPED_TRACE(what);
    underWay_ = true;
    yields_ = 0;
    atEveryYield([this] {
        if (!underWay_)
            return true;
        ++yields_;
        enabledWhileUnderWay_ << operationsEnabled();
        return false;
    });
    start();
    underWay_ = false;
    EXPECT_EQ(yields_ > 0, yields);
    EXPECT_EQ(enabledWhileUnderWay_, QStringList()) << "enabled while an operation was under way";
    // A key meant for a box would press a button that has the focus.
    EXPECT_EQ(operationsEnabled(), enabledAfter);
    enabledWhileUnderWay_.clear();
}

QStringList WindowTest::operationsEnabled() const
{
    QStringList names;
    for (const char *name : {"CmdSourDir", "CmdStart", "CmdRestore", "mnuPreview"})
        if (control<QObject>(name).property("enabled").toBool())
            names << QString::fromLatin1(name);
    if (const auto *button = qobject_cast<QPushButton *>(window.focusWidget()))
        names << "focus on " + button->objectName();
    return names;
}

} // namespace quorin::test

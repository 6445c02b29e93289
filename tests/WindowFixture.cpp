// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace quorin::test {

WindowTest::WindowTest()
    : window({dialogs, [this](int status) { endings << status; }, [this](const QUrl &url) { opened << url; },
              std::chrono::milliseconds(0)})
{
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    dir.makeFolder("src");
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the main window was never shown");
}

WindowTest::~WindowTest() { qunsetenv("XDG_CONFIG_HOME"); }

void WindowTest::click(const char *name) { QTest::mouseClick(&control<QAbstractButton>(name), Qt::LeftButton); }

const MessageBox *WindowTest::lastBox() const
{
    return dialogs.boxes.shown.isEmpty() ? nullptr : &dialogs.boxes.shown.last();
}

QStringList WindowTest::boxTitles() const
{
    QStringList titles;
    for (const MessageBox &box : dialogs.boxes.shown)
        titles << box.title;
    return titles;
}

void WindowTest::survey(const QString &folder)
{
    dialogs.folders << folder;
    click("CmdSourDir");
}

void WindowTest::chooseSettings(const QString &type)
{
    auto &types = control<QComboBox>("cboFileType");
    types.setCurrentIndex(types.findText(type));
    control<QLineEdit>("txtAddString").setText("p");
    click("optPrefix");
    auto &styles = control<QComboBox>("cboSeries");
    styles.setCurrentIndex(styles.findText("001_"));
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

} // namespace quorin::test

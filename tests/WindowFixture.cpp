// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include <QPushButton>

namespace quorin::test {

WindowTest::WindowTest()
    : window({dialogs, [this](int status) { endings << status; },
              [this](const QUrl &url) { return (opened << url, browserFound); },
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

void WindowTest::operate(const char *what, const std::function<void()> &start, bool yields,
                         const QStringList &enabledAfter)
{
    SCOPED_TRACE(what);
    underWay_ = true;
    atEveryYield([this] {
        if (underWay_)
            enabledAtYields_ << operationsEnabled();
        return !underWay_;
    });
    start();
    underWay_ = false;
    const QList<QStringList> atYields = std::exchange(enabledAtYields_, {});
    EXPECT_EQ(!atYields.isEmpty(), yields);
    EXPECT_EQ(atYields, QList<QStringList>(atYields.size())) << "enabled while an operation was under way";
    // A key meant for a box would press a button that has the focus.
    EXPECT_EQ(operationsEnabled(), enabledAfter);
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

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "CatchShow.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"
#include "TreeSnapshot.h"

#include "ModalDialogs.h"
#include "frmmain.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

// Readable failure messages.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace quorin::test {

// What a box shows: its title, prompt, icon and buttons.
inline auto appearance(const MessageBox &box) { return std::tuple(box.title, box.prompt, box.icon, box.buttons); }

// Answers the window's boxes and pickers from a script and records what it was asked.
class ScriptedDialogs final : public ModalDialogs {
public:
    MessageAnswer showMessage(QWidget *, const MessageBox &box) override { return boxes.showMessage(box); }
    QString BrowseForFolder(QWidget *, const QString &title) override
    {
        folderTitles << title;
        return next(folders);
    }
    QString ShowFileDialog(QWidget *, const FileDialogRequest &request) override
    {
        fileRequests << request;
        return next(files);
    }
    static QString next(QStringList &picks) { return picks.isEmpty() ? QString() : picks.takeFirst(); }

    ScriptedPrompter boxes;
    // The folders and files the user picks, in turn; none left is a cancel. Then the pickers' titles.
    QStringList folders, files, folderTitles;
    QList<FileDialogRequest> fileRequests;
};

// The real main window on the offscreen platform, yielding at every step, with
// its settings file in a temporary folder and its ending recorded.
class WindowTest : public ::testing::Test {
protected:
    WindowTest()
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
    ~WindowTest() override { qunsetenv("XDG_CONFIG_HOME"); }

    template <typename T = QWidget>
    T &control(const char *name) const { return child<T>(window, name); }
    void click(const char *name) const { clickOn(window, name); }
    bool enabled(const char *name) const { return control(name).isEnabled(); }
    bool checked(const char *name) const { return control<QAbstractButton>(name).isChecked(); }
    QString text(const char *name) const { return control<QLineEdit>(name).text(); }
    QString status() const { return control<QLabel>("lblInfo").text(); }
    // The source and destination boxes and the status line, which a survey sets.
    QStringList surveyed() const { return {text("txtSourDir"), text("txtDestDir"), status()}; }

    QString src() const { return dir.file("src"); }
    // Writes each file under the source folder with its name as its content.
    void makeSources(const QStringList &names) const { dir.writeNamed(QStringLiteral("src"), names); }
    void survey(const QString &folder)
    {
        dialogs.folders << folder;
        click("CmdSourDir");
    }
    // Classic in-place settings: prefix "p", numbers "001_", the given type.
    void chooseSettings(const QString &type)
    {
        control<QComboBox>("cboFileType").setCurrentText(type);
        control<QLineEdit>("txtAddString").setText("p");
        click("optPrefix");
        control<QComboBox>("cboSeries").setCurrentText("001_");
    }
    // Calls `act` inside the first yield of the long operations that follow at
    // which the status line starts with `text`.
    void onceStatusReads(const QString &text, std::function<void()> act)
    {
        atEveryYield([this, text, act] { return status().startsWith(text) && (act(), true); });
    }
    // Starts a survey, a run or a restore with `start` and checks that none of
    // the three nor 预览 could be started, nor any button had the focus, at any
    // of its yields (and that it yielded, unless it is refused at once), then
    // which of them can be started after it, and that no button has the focus then.
    void operate(const char *what, const std::function<void()> &start, bool yields = true,
                 const QStringList &enabledAfter = {"CmdSourDir", "CmdStart", "CmdRestore", "mnuPreview"})
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

    TempFolder dir, config;
    ScriptedDialogs dialogs;
    QList<int> endings;
    QList<QUrl> opened;
    // Whether the desktop has a program that opens what the window asks to open.
    bool browserFound = true;
    frmmain window;

private:
    // Calls `step` inside every yield of the long operations that follow, until it returns true.
    // A zero timer fires in every pass of event handling, and the window handles
    // its events at every yield when its repaint interval is zero.
    void atEveryYield(std::function<bool()> step)
    {
        auto *timer = new QTimer(&window);
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
            if (step())
                timer->stop();
        });
        timer->start();
    }
    // The operations that can be started, and the button that has the focus.
    QStringList operationsEnabled() const
    {
        QStringList names;
        for (const char *name : {"CmdSourDir", "CmdStart", "CmdRestore", "mnuPreview"})
            if (control<QObject>(name).property("enabled").toBool())
                names << QString::fromLatin1(name);
        if (const auto *button = qobject_cast<QPushButton *>(window.focusWidget()))
            names << "focus on " + button->objectName();
        return names;
    }

    bool underWay_ = false;
    // What could be started at each yield of the operation under way.
    QList<QStringList> enabledAtYields_;
};

} // namespace quorin::test

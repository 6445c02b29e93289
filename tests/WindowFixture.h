// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "ScriptedPrompter.h"
#include "TempFolder.h"

#include "ModalDialogs.h"
#include "frmmain.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

// Readable failure messages.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace quorin::test {

// Answers the window's boxes and pickers from a script and records what it was asked.
class ScriptedDialogs final : public ModalDialogs {
public:
    MessageAnswer showMessage(QWidget *, const MessageBox &box) override { return boxes.showMessage(box); }
    QString BrowseForFolder(QWidget *, const QString &title) override
    {
        folderTitles << title;
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QString ShowFileDialog(QWidget *, const FileDialogRequest &request) override
    {
        fileRequests << request;
        return files.isEmpty() ? QString() : files.takeFirst();
    }

    ScriptedPrompter boxes;
    // The folders and files the user picks, in turn; none left is a cancel.
    QStringList folders;
    QStringList files;
    QStringList folderTitles;
    QList<FileDialogRequest> fileRequests;
};

// The real main window on the offscreen platform, yielding at every step, with
// its settings file in a temporary folder and its ending recorded.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    // A control by its object name; a missing one ends the test program loudly.
    template <typename T = QWidget>
    T &control(const char *name) const
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("the main window has no control %s of the expected kind", name);
        return *found;
    }
    void click(const char *name);
    bool enabled(const char *name) const { return control(name).isEnabled(); }
    bool checked(const char *name) const { return control<QAbstractButton>(name).isChecked(); }
    QString text(const char *name) const { return control<QLineEdit>(name).text(); }
    QString status() const { return control<QLabel>("lblInfo").text(); }
    const MessageBox *lastBox() const;
    QStringList boxTitles() const;

    QString src() const { return dir.file("src"); }
    void survey(const QString &folder);
    // Classic in-place settings: prefix "p", numbers "001_", the given type.
    void chooseSettings(const QString &type);
    // Calls `step` inside every yield of the long operations that follow, until it returns true.
    void atEveryYield(std::function<bool()> step);

    TempFolder dir;
    TempFolder config;
    ScriptedDialogs dialogs;
    QList<int> endings;
    QList<QUrl> opened;
    frmmain window;
};

} // namespace quorin::test

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include <QSignalSpy>

using namespace quorin::test;

// The window opens with the focus on the source button, and each folder box shows
// its whole text. Each case of the copy and move rules starts from a typed source
// folder and a status line that no rule writes.
TEST_F(WindowTest, opens_onTheSourceButton_tabWalksInOrder_andCopyMoveAndSubfolderRulesRunTheirChainsOnlyOnAChange)
{
    const QStringList order = {"CmdSourDir", "txtSourDir", "CmdStart", "CmdExit", "CmdRestore", "txtDestDir",
                               "txtAddString", "chkKeepFileName", "cboSeries", "cboFileType", "optPrefix",
                               "optSuffix", "chkCopy", "chkMove", "CmdDestDir", "ChkHide", "chkSeries",
                               "chkSubDir", "chkModifySuffix", "txtNewSuffix", "ChkOption", "CmdOption"};
    QWidget *const first = &control("CmdSourDir");
    EXPECT_EQ(window.focusWidget(), first);
    QStringList walked;
    for (QWidget *w = first; walked.isEmpty() || w != first; w = w->nextInFocusChain())
        if (order.contains(w->objectName()))
            walked << w->objectName();
    EXPECT_EQ(walked, order);
    for (const char *name : {"txtDestDir", "txtSourDir"}) {
        SCOPED_TRACE(name);
        auto &box = control<QLineEdit>(name);
        box.setText(QStringLiteral("/a/very/long/folder/name/that/does/not/fit/in/the/box/at/all"));
        QTest::mouseMove(&box, QPoint(5, 5));
        QTest::mouseMove(&box, QPoint(20, 8));
        EXPECT_EQ(box.toolTip(), box.text()) << "the whole text shows when the pointer moves over it";
    }

    const QString chosen = "/chosen", source = "/from", hint = "这里是更名后的文件存在位置", waiting = "等待重命名操作",
                  busy = "正在统计第 7 个文件";
    // What the row shows, the clicks, whether copy and move are checked, whether
    // both are enabled, whether the destination button is, and the destination
    // and status texts after.
    const QList<std::tuple<const char *, QList<const char *>, bool, bool, bool, bool, QString, QString>> cases = {
        {"checking copy alone", {"chkCopy"}, true, false, true, true, hint, busy},
        {"move after copy", {"chkCopy", "CmdDestDir", "chkMove"}, false, true, true, true, chosen, waiting},
        {"unchecking the last", {"chkMove", "CmdDestDir", "chkMove"}, false, false, true, false, source, waiting},
        {"sub-folders while copying", {"chkCopy", "CmdDestDir", "chkSubDir"}, false, false, false, false, source, waiting},
        {"sub-folders while neither", {"chkSubDir"}, false, false, false, false, hint, busy},
        {"sub-folders off again", {"chkMove", "chkSubDir", "chkSubDir"}, false, false, true, false, source, waiting},
        {"a cancelled picker changes nothing", {"chkCopy", "CmdDestDir"}, true, false, true, true, hint, busy},
    };
    // One folder for each row that picks one, except the last.
    dialogs.folders = {chosen, chosen, chosen};
    for (const auto &[name, clicks, copy, move, copyMoveEnabled, destButtonEnabled, destination, after] : cases) {
        SCOPED_TRACE(name);
        for (const char *box : {"chkSubDir", "chkCopy", "chkMove"})
            control<QAbstractButton>(box).setChecked(false);
        control<QLineEdit>("txtDestDir").setText(hint);
        control<QLineEdit>("txtSourDir").setText(source);
        window.setStatus(busy);
        for (const char *button : clicks)
            click(button);
        EXPECT_EQ(std::tuple(checked("chkCopy"), checked("chkMove"), enabled("chkCopy"), enabled("chkMove"),
                             enabled("CmdDestDir"), text("txtDestDir"), status()),
                  std::tuple(copy, move, copyMoveEnabled, copyMoveEnabled, destButtonEnabled, destination, after));
    }
    EXPECT_EQ(dialogs.folderTitles, QStringList(4, QStringLiteral("请选择一个目录")));
}

// Dropping the old name clears and locks the placement; a new extension is
// typed only while chosen, and kept when not; each box gets the focus.
// Switching the edit on clears the dropped-name box, whose rule then runs once,
// and only then; switching off unlocks the controls and brings no choice back.
TEST_F(WindowTest, droppingTheOldNameOrSwitchingOnTheEdit_locksThePlacement_andTheNewExtensionIsTypedOnlyWhileChosen)
{
    auto &added = control<QLineEdit>("txtAddString");
    const auto &label = control<QLabel>("lblName");
    added.setText("abc");
    click("optPrefix");
    for (const bool drop : {true, false}) {
        SCOPED_TRACE(drop ? "dropped" : "kept again");
        click("chkKeepFileName");
        // The choice does not come back.
        EXPECT_EQ(std::tuple(label.text(), label.palette().color(QPalette::WindowText), checked("optPrefix"),
                             checked("optSuffix"), enabled("optPrefix"), enabled("optSuffix")),
                  std::tuple(drop ? QStringLiteral("新文件名前缀") : QStringLiteral("文件名新增字符"),
                             drop ? QColor(255, 0, 0) : QColor(0, 0, 0), false, false, !drop, !drop));
        EXPECT_EQ(std::pair(added.hasFocus(), added.selectedText()), std::pair(true, QStringLiteral("abc")));
    }
    click("optPrefix");
    click("optSuffix");
    EXPECT_FALSE(checked("optPrefix")) << "the two choices still exclude each other";

    auto &suffix = control<QLineEdit>("txtNewSuffix");
    click("chkModifySuffix");
    EXPECT_EQ(window.focusWidget(), &suffix);
    QTest::keyClicks(&suffix, "webp");
    EXPECT_EQ(suffix.text(), QStringLiteral("web")) << "it takes three characters";
    click("chkModifySuffix");
    EXPECT_FALSE(suffix.isEnabled());
    click("chkModifySuffix");
    EXPECT_EQ(suffix.selectedText(), QStringLiteral("web"));

    const auto numbering = {"chkSeries", "chkKeepFileName", "txtAddString", "optPrefix", "optSuffix", "cboSeries"};
    control<QComboBox>("cboSeries").setCurrentIndex(1);
    for (const bool dropped : {false, true}) {
        SCOPED_TRACE(dropped ? "old name dropped" : "old name kept");
        click("optPrefix");
        control<QAbstractButton>("chkKeepFileName").setChecked(dropped);
        QSignalSpy rule(&control<QAbstractButton>("chkKeepFileName"), &QAbstractButton::toggled);
        for (const bool on : {true, false}) {
            click("ChkOption");
            for (const char *name : numbering)
                EXPECT_EQ(enabled(name), !on) << name;
            EXPECT_EQ(enabled("CmdOption"), on);
            EXPECT_EQ(control<QLabel>("lblOption").text(), on ? "没有设置任何选项" : "没有启用高级选项");
        }
        EXPECT_EQ(rule.count(), dropped ? 1 : 0);
        EXPECT_EQ(std::tuple(checked("optPrefix") || checked("optSuffix") || checked("chkKeepFileName"), label.text(),
                             added.text(), control<QComboBox>("cboSeries").currentIndex()),
                  std::tuple(false, QStringLiteral("文件名新增字符"), QStringLiteral("abc"), 1));
    }
}

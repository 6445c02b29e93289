// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include <QTest>

using namespace quorin;
using namespace quorin::test;

namespace {

struct CopyMoveCase {
    const char *name;
    QList<const char *> clicks;
    bool copyChecked, moveChecked, copyMoveEnabled, destButtonEnabled;
    QString destination;
    QString status;
};

const QString Chosen = QStringLiteral("/chosen");
const QString Source = QStringLiteral("/from");
const QString DestinationHint = QStringLiteral("这里是更名后的文件存在位置");
const QString Waiting = QStringLiteral("等待重命名操作");
const QString Busy = QStringLiteral("正在统计第 7 个文件");

} // namespace

// Each case starts from a typed source folder and a status line that no rule writes.
TEST_F(WindowTest, copyMoveAndSubfolderRules_runTheirChains_andOnlyOnAChange)
{
    const QList<CopyMoveCase> cases = {
        {"checking copy alone", {"chkCopy"}, true, false, true, true, DestinationHint, Busy},
        {"move after copy", {"chkCopy", "CmdDestDir", "chkMove"}, false, true, true, true, Chosen, Waiting},
        {"unchecking the last", {"chkMove", "CmdDestDir", "chkMove"}, false, false, true, false, Source, Waiting},
        {"sub-folders while copying", {"chkCopy", "CmdDestDir", "chkSubDir"}, false, false, false, false, Source, Waiting},
        {"sub-folders while neither", {"chkSubDir"}, false, false, false, false, DestinationHint, Busy},
        {"sub-folders off again", {"chkMove", "chkSubDir", "chkSubDir"}, false, false, true, false, Source, Waiting},
    };
    for (const CopyMoveCase &c : cases) {
        SCOPED_TRACE(c.name);
        for (const char *box : {"chkSubDir", "chkCopy", "chkMove"})
            control<QAbstractButton>(box).setChecked(false);
        control<QLineEdit>("txtDestDir").setText(DestinationHint);
        control<QLineEdit>("txtSourDir").setText(Source);
        window.setStatus(Busy);
        for (const char *name : c.clicks) {
            if (QByteArray(name) == "CmdDestDir")
                dialogs.folders << Chosen;
            click(name);
        }
        EXPECT_EQ(checked("chkCopy"), c.copyChecked);
        EXPECT_EQ(checked("chkMove"), c.moveChecked);
        EXPECT_EQ(enabled("chkCopy"), c.copyMoveEnabled);
        EXPECT_EQ(enabled("chkMove"), c.copyMoveEnabled);
        EXPECT_EQ(enabled("CmdDestDir"), c.destButtonEnabled);
        EXPECT_EQ(text("txtDestDir"), c.destination);
        EXPECT_EQ(status(), c.status);
    }
    EXPECT_EQ(dialogs.folderTitles.value(0), QStringLiteral("请选择一个目录"));
}

TEST_F(WindowTest, droppingTheOldName_clearsAndLocksThePlacement_andFocusesTheAddedText)
{
    auto &added = control<QLineEdit>("txtAddString");
    added.setText("abc");
    click("optPrefix");
    click("chkKeepFileName");
    EXPECT_EQ(control<QLabel>("lblName").text(), QStringLiteral("新文件名前缀"));
    EXPECT_EQ(control<QLabel>("lblName").palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (const char *option : {"optPrefix", "optSuffix"}) {
        EXPECT_FALSE(checked(option)) << option;
        EXPECT_FALSE(enabled(option)) << option;
    }
    EXPECT_EQ(window.focusWidget(), &added);
    EXPECT_EQ(added.selectedText(), QStringLiteral("abc"));

    click("chkKeepFileName");
    EXPECT_EQ(control<QLabel>("lblName").text(), QStringLiteral("文件名新增字符"));
    EXPECT_EQ(control<QLabel>("lblName").palette().color(QPalette::WindowText), QColor(0, 0, 0));
    for (const char *option : {"optPrefix", "optSuffix"}) {
        EXPECT_FALSE(checked(option)) << "the choice does not come back: " << option;
        EXPECT_TRUE(enabled(option)) << option;
    }
    click("optSuffix");
    EXPECT_TRUE(checked("optSuffix"));
}

TEST_F(WindowTest, newExtension_isTypedOnlyWhileChosen_andKeptWhenNot)
{
    auto &suffix = control<QLineEdit>("txtNewSuffix");
    EXPECT_FALSE(suffix.isEnabled());
    click("chkModifySuffix");
    EXPECT_TRUE(suffix.isEnabled());
    EXPECT_EQ(window.focusWidget(), &suffix);
    QTest::keyClicks(&suffix, "webp");
    EXPECT_EQ(suffix.text(), QStringLiteral("web"));
    click("chkModifySuffix");
    EXPECT_FALSE(suffix.isEnabled());
    click("chkModifySuffix");
    EXPECT_EQ(suffix.text(), QStringLiteral("web"));
    EXPECT_EQ(suffix.selectedText(), QStringLiteral("web"));
}

TEST_F(WindowTest, folderBoxes_showTheirWholeTextWhenThePointerMovesOverThem)
{
    for (const char *name : {"txtDestDir", "txtSourDir"}) {
        SCOPED_TRACE(name);
        auto &box = control<QLineEdit>(name);
        box.setText(QStringLiteral("/a/very/long/folder/name/that/does/not/fit/in/the/box/at/all"));
        QTest::mouseMove(&box, QPoint(5, 5));
        QTest::mouseMove(&box, QPoint(20, 8));
        EXPECT_EQ(box.toolTip(), box.text());
    }
}

TEST_F(WindowTest, opens_withTheFocusOnTheSourceButton_andTabWalksTheControlsInOrder)
{
    const QStringList order = {"CmdSourDir", "txtSourDir", "CmdStart", "CmdExit", "CmdRestore", "txtDestDir",
                               "txtAddString", "chkKeepFileName", "cboSeries", "cboFileType", "optPrefix",
                               "optSuffix", "chkCopy", "chkMove", "CmdDestDir", "ChkHide", "chkSeries",
                               "chkSubDir", "chkModifySuffix", "txtNewSuffix", "ChkOption", "CmdOption"};
    EXPECT_EQ(window.focusWidget(), &control("CmdSourDir"));
    QStringList walked;
    QWidget *w = &control("CmdSourDir");
    do {
        if (order.contains(w->objectName()))
            walked << w->objectName();
        w = w->nextInFocusChain();
    } while (w != &control("CmdSourDir"));
    EXPECT_EQ(walked, order);
}

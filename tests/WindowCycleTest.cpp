// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TreeSnapshot.h"
#include "WindowFixture.h"

#include "log/RenameLog.h"

#include <QComboBox>
#include <QDir>
#include <QRegularExpression>

using namespace quorin;
using namespace quorin::test;

// Before any survey, a restore leaves Start locked; a cancelled survey changes nothing.
TEST_F(WindowTest, restoreBeforeAnySurvey_leavesStartLocked_andACancelledSurveyChangesNothing)
{
    dir.write("x.jpg");
    {
        RenameLog handMade;
        handMade.CreateRenameLog(dir.path(), "JPG", QDateTime::currentDateTime());
        handMade.AppendLogRecord({dir.file("y.jpg"), dir.file("x.jpg")});
        handMade.commit();
        dialogs.files << handMade.path();
    }
    operate("restore", [this] { click("CmdRestore"); }, {"CmdSourDir", "CmdRestore"});
    click("CmdSourDir");
    EXPECT_EQ(status(), QStringLiteral("已经恢复了 1 个文件！"));
    EXPECT_FALSE(enabled("CmdStart"));
}

// A survey, a refused and a whole run, and the restore of that run, with the
// log picker cancelled once before it.
TEST_F(WindowTest, wholeCycle_fromTheControls_oneOperationAtATime)
{
    makeSources({"b.jpg", "a.JPG", "c.txt", "sub/d.jpg"});
    const auto before = snapshot(src());
    const QStringList all = {"CmdSourDir", "CmdStart", "CmdRestore"};
    operate("survey", [this] { survey(src()); }, all);
    EXPECT_EQ(dialogs.folderTitles, QStringList{QStringLiteral("请选择一个目录")});
    EXPECT_EQ(text("txtSourDir"), src());
    EXPECT_EQ(text("txtDestDir"), src());
    EXPECT_EQ(status(), QStringLiteral("共有 3 个文件及 2 种文件类型"));
    const auto &types = control<QComboBox>("cboFileType");
    EXPECT_EQ(types.count(), 2);
    EXPECT_EQ(types.itemText(0) + types.itemText(1), QStringLiteral("JPGTXT"));
    EXPECT_EQ(types.currentIndex(), -1);

    operate("refused run", [this] { click("CmdStart"); }, all, false);
    chooseSettings("JPG");
    operate("run", [this] { click("CmdStart"); }, all);
    QStringList renamed = QDir(src()).entryList(QDir::Files).replaceInStrings(QRegularExpression("^p00[12]_"), "p00N_");
    renamed.sort();
    EXPECT_EQ(renamed, (QStringList{"c.txt", "p00N_a.JPG", "p00N_b.jpg"}));
    EXPECT_EQ(QDir(src() + "/sub").entryList(QDir::Files), QStringList{"d.jpg"});

    click("CmdRestore");
    dialogs.files << src() + "/Restore/RestoreJPG.log";
    operate("restore", [this] { click("CmdRestore"); }, all);
    EXPECT_EQ(dialogs.fileRequests.last().title, QStringLiteral("请选择重命名日志文件"));
    EXPECT_EQ(dialogs.fileRequests.last().filterText, QStringLiteral("日志文件(*.LOG)"));
    EXPECT_EQ(dialogs.fileRequests.last().initialFolder, src());
    QStringList titles;
    for (const MessageBox &box : dialogs.boxes.shown)
        titles << box.title;
    EXPECT_EQ(titles, (QStringList{"添加字符", "操作完成", "恢复确认", "成功"}));
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_TRUE(endings.isEmpty());
}

TEST_F(WindowTest, exitButtonMenuAndCloseBox_endTheProgramAtOnce)
{
    click("CmdExit");
    control<QAction>("mnuExit").trigger();
    window.close();
    EXPECT_EQ(endings, (QList<int>{0, 0, 0}));
}

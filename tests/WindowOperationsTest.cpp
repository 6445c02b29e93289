// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include "frmPreview.h"

#include <QTableView>

using namespace quorin;
using namespace quorin::test;

// Esc, whichever control has the focus, asks before it stops a run in either
// pass; the run then stops and undoes its renames, or finishes when declined.
TEST_F(WindowTest, escDuringARun_asksFirst_thenStopsAndUndoes_orLetsTheRunFinish)
{
    // The status text that tells which pass the run is in, the answer to the
    // question, the control that has the focus, and the status at the end.
    const QList<std::tuple<const char *, MessageAnswer, const char *, const char *>> cases = {
        {"正在处理第", MessageAnswer::Ok, "txtAddString", "用户取消操作！"},
        {"正在处理第", MessageAnswer::Cancel, "cboFileType", "操作完成！一共重命名了 3 个文件"},
        {"正在重命名第 1 ", MessageAnswer::Ok, "CmdExit", "用户取消操作！已经更名的文件得到恢复！"},
        {"正在重命名第", MessageAnswer::Cancel, "chkSubDir", "操作完成！一共重命名了 3 个文件"},
    };
    const QString question = QStringLiteral("您确定要停止操作吗？\n\n如果您选择“确定”，更名操作将停止，并且恢复已经更名的文件！");
    makeSources({"a.jpg", "b.jpg", "c.jpg"});
    survey(src());
    chooseSettings("JPG");
    for (const auto &[pass, answer, focus, endStatus] : cases) {
        SCOPED_TRACE(std::string(pass) + ", Esc on " + focus);
        dialogs.boxes.answers << answer;
        onceStatusReads(QString::fromUtf8(pass), [this, on = focus] { QTest::keyClick(&control(on), Qt::Key_Escape); });
        operate("run", [this] { click("CmdStart"); });
        EXPECT_EQ(appearance(std::exchange(dialogs.boxes.shown, {}).value(0)),
                  std::tuple(QStringLiteral("终止确认"), question, MessageIcon::Question, MessageButtons::OkCancel));
        EXPECT_EQ(status(), QString::fromUtf8(endStatus));
    }
    QTest::keyClick(&control("txtAddString"), Qt::Key_Escape);
    EXPECT_TRUE(dialogs.boxes.shown.isEmpty()) << "Esc with no run in progress does nothing";
}

// 预览 is 开始 without the question and without touching anything: locked and
// refused as 开始 is, ended at once by Esc while it plans, its table the run's
// plan row for row; 开始 in it then starts the run as 开始 does.
TEST_F(WindowTest, preview_checksAsStartDoesButAsksNothing_listsTheRunsRows_andEscEndsItAtOnce)
{
    // p001_.JPG gives its name to a.JPG once it has its own; a folder holds b.jpg's new name.
    makeSources({"b.jpg", "a.JPG", "c.txt", "p001_.JPG"});
    dir.makeFolder("src/p002_.jpg");
    const auto trigger = [this] { control<QAction>("mnuPreview").trigger(); };
    EXPECT_FALSE(control<QAction>("mnuPreview").isEnabled());
    survey(src());
    const auto before = snapshot(src());
    const char *answer = "CmdPlanClose";
    QStringList rows;
    CatchShow<frmPreview> user([&](frmPreview &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("预览"));
        EXPECT_GE(dialog.width(), window.width());
        const QAbstractItemModel &plan = *child<QTableView>(dialog, "lstPlan").model();
        for (int row = 0; row < plan.rowCount(); ++row)
            rows << plan.index(row, 0).data().toString() + " " + plan.index(row, 1).data().toString()
                        + (plan.index(row, 0).data(Qt::ForegroundRole) == QColor(255, 0, 0) ? " red " : "")
                        + plan.index(row, 2).data().toString();
        rows << child<QLabel>(dialog, "lblPlanInfo").text();
        clickOn(dialog, answer);
    });
    operate("refused preview", trigger, false);
    click("CmdStart");
    ASSERT_EQ(dialogs.boxes.shown.size(), 2);
    EXPECT_EQ(dialogs.boxes.shown[0].prompt, dialogs.boxes.shown[1].prompt) << "refused as 开始 refuses";
    dialogs.boxes.shown.clear();

    chooseSettings("JPG");
    click("chkKeepFileName");
    click("chkMove");
    onceStatusReads("正在处理第", [this] { QTest::keyClick(&control("txtAddString"), Qt::Key_Escape); });
    operate("preview ended by Esc", trigger);
    EXPECT_EQ(status(), QStringLiteral("预览已停止"));
    trigger();
    const QStringList planned = {"p001_.JPG p003_.JPG", "a.JPG p001_.JPG", "b.jpg p002_.jpg red 新文件名已被占用",
                                 "将移动 2 个文件，1 个文件保留原名"};
    EXPECT_EQ(std::exchange(rows, {}), planned);
    EXPECT_EQ(snapshot(src()), before);

    answer = "CmdPlanStart";
    dialogs.boxes.answers << MessageAnswer::Yes;
    trigger();
    // Only the run asks whether to keep the source folder: no box came before it.
    ASSERT_EQ(dialogs.boxes.shown.size(), 2);
    EXPECT_EQ(dialogs.boxes.shown[0].title + dialogs.boxes.shown[1].title, QStringLiteral("路径选择确认操作完成"));
    EXPECT_EQ(rows, planned);
    const QString log = QString::fromUtf8(readAll(src() + "/Restore/RestoreJPG.log")).remove(src() + "/");
    EXPECT_EQ(log.split("\r\n", Qt::SkipEmptyParts).mid(1),
              (QStringList{"p001_.JPG", "p003_.JPG", "a.JPG", "p001_.JPG", "b.jpg", "p002_.jpg"}))
        << "the log holds the preview's rows";
    EXPECT_EQ(QDir(src()).entryList(QDir::Files), (QStringList{"b.jpg", "c.txt", "p001_.JPG", "p003_.JPG"}));
}

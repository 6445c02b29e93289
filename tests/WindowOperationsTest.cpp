// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

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
    makeSources({"a.jpg", "b.jpg", "c.jpg"});
    survey(src());
    chooseSettings("JPG");
    for (const auto &[pass, answer, focus, endStatus] : cases) {
        SCOPED_TRACE(std::string(pass) + ", Esc on " + focus);
        const qsizetype shown = dialogs.boxes.shown.size();
        dialogs.boxes.answers << answer;
        onceStatusReads(QString::fromUtf8(pass), [this, on = focus] { QTest::keyClick(&control(on), Qt::Key_Escape); });
        operate("run", [this] { click("CmdStart"); }, {"CmdSourDir", "CmdStart", "CmdRestore"});
        ASSERT_GT(dialogs.boxes.shown.size(), shown);
        const MessageBox &question = dialogs.boxes.shown[shown];
        EXPECT_EQ(question.title, QStringLiteral("终止确认"));
        EXPECT_EQ(question.prompt,
                  QStringLiteral("您确定要停止操作吗？\n\n如果您选择“确定”，更名操作将停止，并且恢复已经更名的文件！"));
        EXPECT_EQ(question.icon, MessageIcon::Question);
        EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
        EXPECT_EQ(status(), QString::fromUtf8(endStatus));
    }
    const qsizetype shown = dialogs.boxes.shown.size();
    QTest::keyClick(&control("txtAddString"), Qt::Key_Escape);
    EXPECT_EQ(dialogs.boxes.shown.size(), shown) << "Esc with no run in progress does nothing";
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// quorin-cli on a terminal of its own: questions typed in, Ctrl+C and the end
// of input among the answers.
#include "CliFixture.h"
#include "TreeSnapshot.h"

using namespace quorin::test;

using CliTerminal = CliFixture;

// Every question is asked with [y/N]; only y or yes answers yes, and no
// answer changes a file.
TEST_F(CliTerminal, questions_areAnsweredNoUnlessTheUserSaysYes)
{
    ASSERT_EQ(cli(runArgs({"--insert", "x"})).status, 0);
    const QStringList restoring{"restore", src() + "/Restore/RestoreJPG.log"};
    const QStringList dropping = runArgs({"--add", "n", "--drop-old-name", "--style", "1"});
    const QByteArray restoreQuestion = "恢复确认\r\n你确定要恢复原来的的文件名吗？ [y/N] ";
    const QByteArray dropQuestion = "路径选择确认\r\n    如果您使用全新的文件名前缀";
    const struct {
        const char *what;
        QStringList args;
        QByteArray question, typed;
        int status;
    } cases[] = {
        {"Enter", restoring, restoreQuestion, "\n", 3},
        {"n", restoring, restoreQuestion, "n\n", 3},
        {"anything else", restoring, restoreQuestion, "yess\n", 3},
        {"end of input", restoring, restoreQuestion, "\x04", 3},
        {"Ctrl+C", restoring, restoreQuestion, "\x03", 3},
        {"Y", restoring, restoreQuestion, " Y \n", 0},
        {"Ctrl+C before the old names are dropped", dropping, dropQuestion, "\x03", 3},
        {"y before the old names are dropped", dropping, dropQuestion, "y\n", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = snapshot(src());
        const Outcome asked = onTerminal(c.args, "[y/N] ", c.typed);
        EXPECT_TRUE(asked.out.startsWith(c.question)) << asked.out.toStdString();
        EXPECT_EQ(asked.status, c.status) << asked.out.toStdString();
        EXPECT_EQ(snapshot(src()) == before, c.status != 0);
    }
}

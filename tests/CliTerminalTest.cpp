// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// quorin-cli on a terminal of its own: questions typed in, Ctrl+C and the end
// of input among the answers, and what the screen shows at the end.
#include "CliFixture.h"
#include "TreeSnapshot.h"

using namespace quorin::test;

using CliTerminal = CliFixture;

// Every question is asked with [y/N]; only y or yes answers yes.
TEST_F(CliTerminal, questions_areAnsweredNoUnlessTheUserSaysYes)
{
    const auto before = snapshot(src());
    ASSERT_EQ(cli(runArgs({"--insert", "x"})).status, 0);
    const QString log = src() + "/Restore/RestoreJPG.log";
    const QByteArray question = QString::fromUtf8("恢复确认\r\n你确定要恢复原来的的文件名吗？ [y/N] ").toUtf8();
    const struct {
        const char *what;
        QByteArray typed;
        int status;
    } answers[] = {
        {"Enter", "\n", 3}, {"n", "n\n", 3}, {"anything else", "yess\n", 3}, {"end of input", "\x04", 3},
        {"Ctrl+C", "\x03", 3}, {"Y", " Y \n", 0},
    };
    for (const auto &answer : answers) {
        SCOPED_TRACE(answer.what);
        const Outcome asked = onTerminal({"restore", log}, {{question, answer.typed}});
        EXPECT_TRUE(asked.out.startsWith(question)) << asked.out.toStdString();
        EXPECT_EQ(asked.status, answer.status) << asked.out.toStdString();
        EXPECT_EQ(exists(log), answer.status != 0);
    }
    EXPECT_EQ(snapshot(src()), before);

    // The question before a run that drops the old names in the source folder.
    const QStringList dropping = runArgs({"--add", "n", "--drop-old-name", "--style", "1"});
    EXPECT_EQ(onTerminal(dropping, {{"[y/N] ", "\x03"}}).status, 3);
    EXPECT_EQ(snapshot(src()), before);
    const Outcome yes = onTerminal(dropping, {{"[y/N] ", "y\n"}});
    EXPECT_EQ(yes.status, 0) << yes.out.toStdString();
    EXPECT_TRUE(exists(dir.file("src/n1.jpg")));
}

// The running status line is erased before anything else is printed, so each
// result stands once on a line of its own and no count is left behind.
TEST_F(CliTerminal, screen_showsEachResultOnce_andNoStaleStatusLine)
{
    const struct {
        QStringList args;
        QStringList screen;
    } cases[] = {
        {{"survey", src()}, {QString::fromUtf8("共有 3 个文件及 2 种文件类型"), "JPG", "TXT"}},
        {runArgs({"--insert", "x", "--dry-run"}),
         {src() + "/a.jpg\t" + src() + "/xa.jpg", src() + "/b.jpg\t" + src() + "/xb.jpg",
          "dry run, nothing changed: 2 files would be renamed, 0 passed over (the new name taken), 0 left alone (a "
          "name no log can hold)"}},
        {runArgs({"--insert", "x"}),
         {QString::fromUtf8("操作完成"), QString::fromUtf8("操作已经完成！总共重命名了 2 个扩展名为 JPG 的文件！"),
          src() + "/Restore/RestoreJPG.log"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        // The order of a folder's files is the file system's.
        QStringList screen = screenLines(onTerminal(c.args).out);
        screen.sort();
        QStringList expected = c.screen;
        expected.sort();
        EXPECT_EQ(screen, expected) << screen.join(u'\n').toStdString();
    }
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include <QFile>

using namespace quorin;
using namespace quorin::test;

namespace {

using RestoreTest = RunFixture;

const char *const NotALog = "所选文件不是完整的重命名日志，没有恢复任何文件，该文件也没有被删除。";

} // namespace

TEST_F(RestoreTest, onlyAWholeRenameLogIsTaken)
{
    makeFiles({"a.jpg", "b.jpg"});
    const QString log = run().logPath;
    const QByteArray whole = readAll(log);
    const auto renamed = snapshot(src());
    const struct {
        const char *what;
        QByteArray content;
    } cases[] = {
        {"a text file", "just some notes\r\nmore\r\n"},
        {"an empty file", ""},
        {"cut inside a record", whole.left(whole.lastIndexOf("\r\n", whole.size() - 3) + 2)},
        {"last line without CR LF", whole.chopped(2)},
        {"line feeds only", QByteArray(whole).replace("\r\n", "\n")},
        {"a relative path", QByteArray(whole).replace(src().toUtf8() + "/", "src/")},
        {"a \"..\" part", QByteArray(whole).replace(src().toUtf8() + "/", src().toUtf8() + "/../src/")},
        {"a \".\" part", QByteArray(whole).replace(src().toUtf8() + "/", src().toUtf8() + "/./")},
        {"a doubled separator", QByteArray(whole).replace(src().toUtf8() + "/", src().toUtf8() + "//")},
        {"an empty path", QByteArray(whole).append("\r\n\r\n")},
        {"a path ending in a separator", QByteArray(whole).append("/a\r\n/b/\r\n")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("chosen.log", c.content);
        host.prompter.shown.clear();
        const RestoreReport report = restore(dir.file("chosen.log"));
        EXPECT_EQ(report.ending, RestoreReport::Ending::Refused);
        ASSERT_EQ(host.prompter.shown.size(), 1);
        EXPECT_EQ(host.lastBox()->prompt, QString::fromUtf8(NotALog));
        EXPECT_EQ(host.lastBox()->title, QString::fromUtf8("恢复确认"));
        EXPECT_EQ(host.lastBox()->buttons, MessageButtons::Ok);
        EXPECT_EQ(readAll(dir.file("chosen.log")), c.content);
        EXPECT_EQ(snapshot(src()), renamed);
    }
    EXPECT_TRUE(isWholeRenameLog(log));
}

TEST_F(RestoreTest, declinedConfirmation_changesNothing)
{
    makeFiles({"a.jpg"});
    const QString log = run().logPath;
    const auto renamed = snapshot(src());
    host.prompter.shown.clear();
    host.statuses.clear();
    host.prompter.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(restore(log).ending, RestoreReport::Ending::Declined);
    EXPECT_EQ(host.lastBox()->prompt, QString::fromUtf8("你确定要恢复原来的的文件名吗？"));
    EXPECT_EQ(host.lastBox()->icon, MessageIcon::Question);
    EXPECT_EQ(host.lastBox()->buttons, MessageButtons::OkCancel);
    EXPECT_EQ(snapshot(src()), renamed);
    EXPECT_TRUE(host.statuses.isEmpty());
    EXPECT_TRUE(exists(log));
}

TEST_F(RestoreTest, fileDeletedSinceTheRun_isReported_andTheLogKept)
{
    makeFiles({"a.jpg", "b.jpg"});
    const QString log = run().logPath;
    QFile::remove(dir.file("src/p001a.jpg").contains("a") && exists(dir.file("src/p001a.jpg"))
                      ? dir.file("src/p001a.jpg")
                      : dir.file("src/p002a.jpg"));
    const RestoreReport report = restore(log);
    EXPECT_EQ(report.restored, 1);
    EXPECT_TRUE(report.logKept);
    EXPECT_TRUE(exists(log));
    EXPECT_EQ(readAll(dir.file("src/b.jpg")), "b.jpg");
    EXPECT_EQ(host.lastBox()->prompt, QString::fromUtf8("已经恢复了 1 个文件。\n\n有 1 个文件未能恢复（原文件名已被占用、文件已不存在或无法访问）。"
                                                       "\n\n重命名日志已保留，排除问题后可以再次恢复。"));
    EXPECT_EQ(host.lastBox()->icon, MessageIcon::Exclamation);
}

TEST_F(RestoreTest, headerOnlyLog_restoresNothingAndSucceeds)
{
    const RunReport report = run();
    EXPECT_EQ(report.done, 0);
    host.statuses.clear();
    EXPECT_TRUE(restore(report.logPath).everyFileRestored());
    EXPECT_EQ(host.statuses, QStringList{QString::fromUtf8("已经恢复了 0 个文件！")});
    EXPECT_FALSE(exists(dir.file("src/Restore")));
}

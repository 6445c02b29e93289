// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include "log/LogNames.h"

#include <QFile>

using namespace quorin;
using namespace quorin::test;

using RestoreTest = RunFixture;

// A log that is not whole, or was cut, edited or paired with another log's
// states, is refused before anything is renamed or deleted; a whole one is
// restored only once the user confirms.
TEST_F(RestoreTest, onlyAWholeRenameLogWithItsOwnStatesIsTaken_andOnlyOnceConfirmed)
{
    makeFiles({"a.jpg", "b.jpg", "c.jpg"});
    const QString log = run().logPath;
    const QByteArray whole = readAll(log), states = readAll(statesPathFor(log)), folder = src().toUtf8() + "/";
    const auto renamed = snapshot(src());
    host.statuses.clear();
    host.prompter.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(restore(log).ending, RestoreReport::Ending::Declined);
    EXPECT_TRUE(lastBoxIs("恢复确认", MessageIcon::Question, "你确定要恢复原来的的文件名吗？", MessageButtons::OkCancel));
    EXPECT_TRUE(host.statuses.isEmpty());
    EXPECT_TRUE(exists(log));

    const QList<QByteArray> lines = whole.split('\n');
    const struct {
        const char *what;
        QByteArray log;
        QByteArray states = {}; // none beside the log when null
    } cases[] = {
        {"a text file", "just some notes\r\nmore\r\n"},
        {"an empty file", ""},
        {"cut inside a record", whole.left(whole.lastIndexOf("\r\n", whole.size() - 3) + 2)},
        {"last line without CR LF", whole.chopped(2)},
        {"line feeds only", QByteArray(whole).replace("\r\n", "\n")},
        {"a relative path", QByteArray(whole).replace(folder, "src/")},
        {"a \"..\" part", QByteArray(whole).replace(folder, folder + "../src/")},
        {"a \".\" part", QByteArray(whole).replace(folder, folder + "./")},
        {"a doubled separator", QByteArray(whole).replace(folder, folder + "/")},
        {"an empty path", QByteArray(whole).append("\r\n\r\n")},
        {"a path ending in a separator", QByteArray(whole).append("/a\r\n/b/\r\n")},
        {"two lines removed",
         QByteArray(whole).remove(lines[0].size() + lines[1].size() + 2, lines[2].size() + lines[3].size() + 2), states},
        {"one byte changed", QByteArray(whole).replace(whole.size() - 5, 1, "X"), states},
        {"states cut short", whole, states.chopped(1)},
        {"states of another size", whole, states + 'p'},
        {"states with a broken header", whole, QByteArray(states).replace("QUORIN", "QUORIX")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("chosen.log", c.log);
        QFile::remove(dir.file(".chosen.log.state"));
        if (!c.states.isNull())
            dir.write(".chosen.log.state", c.states);
        host.prompter.shown.clear();
        EXPECT_EQ(restore(dir.file("chosen.log")).ending, RestoreReport::Ending::Refused);
        ASSERT_EQ(host.prompter.shown.size(), 1);
        EXPECT_TRUE(lastBoxIs("恢复确认", MessageIcon::Exclamation,
                              "所选文件不是完整的重命名日志，没有恢复任何文件，该文件也没有被删除。"));
        EXPECT_EQ(readAll(dir.file("chosen.log")), c.log);
        EXPECT_EQ(snapshot(src()), renamed);
    }
    QFile::remove(dir.file(".chosen.log.state"));
    dir.write("chosen.log", whole);
    EXPECT_TRUE(restore(dir.file("chosen.log")).everyFileRestored()) << "a log without states is trusted as before";
}

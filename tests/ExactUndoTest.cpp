// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include "log/LogNames.h"

#include <QDir>
#include <QFile>

using namespace quorin;
using namespace quorin::test;

using ExactUndo = RunFixture;

// A restore that cannot finish keeps the log, and running it again finishes
// it: files already at their old names are no failure (a restore cut short,
// or one blocked name since freed), and a renamed folder needs only its name back.
TEST_F(ExactUndo, restoreAgain_findsFilesAlreadyBack_andReportsNoFalseFailure)
{
    makeFiles({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    const auto before = snapshot(src());
    dir.makeFolder("logs");
    host.job.DestinationFolder = dir.file("logs");
    const RunReport report = run();
    const QList<PlannedRename> records = logRecords(report.logPath);
    ASSERT_EQ(records.size(), 4);

    ASSERT_TRUE(QFile::rename(src(), dir.file("2023-北京")));
    RestoreReport restored = restore(report.logPath);
    EXPECT_EQ(restored.restored, 0);
    EXPECT_EQ(restored.failed, 4);
    EXPECT_TRUE(exists(report.logPath));
    ASSERT_TRUE(QFile::rename(dir.file("2023-北京"), src()));

    // As a restore killed after two renames leaves them: the states still say "renamed".
    for (const PlannedRename &r : records.mid(2))
        ASSERT_TRUE(QFile::rename(r.NewPath, r.OldPath));
    // And one old name taken by a new file of the user's.
    dir.write(fileName(records[0].OldPath).prepend("src/"), "user's new file");
    restored = restore(report.logPath);
    EXPECT_EQ(restored.failed, 1);
    EXPECT_EQ(restored.restored, 1);
    EXPECT_TRUE(restored.logKept);
    EXPECT_TRUE(lastBoxIs("恢复", MessageIcon::Exclamation,
                          "已经恢复了 1 个文件。\n\n有 1 个文件未能恢复（原文件名已被占用、文件已不存在或无法访问）。"
                          "\n\n重命名日志已保留，排除问题后可以再次恢复。"));

    EXPECT_EQ(readAll(records[0].OldPath), "user's new file");
    ASSERT_TRUE(QFile::remove(records[0].OldPath));
    restored = restore(report.logPath);
    EXPECT_TRUE(restored.everyFileRestored());
    EXPECT_EQ(restored.restored, 1);
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_FALSE(exists(report.logPath) || exists(statesPathFor(report.logPath)));
}

// A second run of the same type into the same folder, refused or stopped
// before its first rename, leaves the first run's log exactly as it was; one
// that completes moves it aside, and both runs can be undone in turn.
TEST_F(ExactUndo, laterRun_neverDestroysAnEarlierLog)
{
    const auto datedLogs = [this] { return QDir(dir.file("src/Restore")).entryList({"RestoreJPG-*.log"}, QDir::Files); };
    makeFiles({"a.jpg", "b.jpg"});
    const auto before = snapshot(src());
    const QString log = run().logPath;
    const QByteArray firstLog = readAll(log), firstStates = readAll(statesPathFor(log));
    const auto afterFirst = snapshot(src());

    host.onYield = [](FakeHost &h) { h.stop = !h.inPass(progress::Renaming); };
    EXPECT_EQ(run().ending, RunReport::Ending::Stopped);
    host.onYield = nullptr;
    if (dir.setImmutable("src/Restore")) {
        EXPECT_EQ(run().ending, RunReport::Ending::LogRefused);
        dir.setImmutable("src/Restore", false);
    }
    EXPECT_EQ(readAll(log), firstLog);
    EXPECT_EQ(readAll(statesPathFor(log)), firstStates);
    EXPECT_EQ(snapshot(src()), afterFirst);
    EXPECT_TRUE(datedLogs().isEmpty());

    EXPECT_EQ(run().ending, RunReport::Ending::Completed);
    const QStringList dated = datedLogs();
    ASSERT_EQ(dated.size(), 1);
    EXPECT_EQ(readAll(dir.file("src/Restore/") + dated.first()), firstLog);
    EXPECT_TRUE(restoresTo(log, afterFirst));
    EXPECT_TRUE(restoresTo(dir.file("src/Restore/") + dated.first(), before));
    EXPECT_FALSE(exists(dir.file("src/Restore")));
}

// Every log the program writes passes Restore's checks, wherever it ends up.
TEST_F(ExactUndo, logsTheProgramWrites_passTheChecksWhereverTheyAreMoved)
{
    const RoundTrip trips[] = {
        {"the log folder moved", [this] { makeFiles({"a.jpg", "b.jpg", "c.jpg"}); }, {3, 0, 0}, {},
         [this](const QString &log) {
             EXPECT_TRUE(QFile::rename(folderOf(log).chopped(1), dir.file("moved")));
             return dir.file("moved/") + fileName(log);
         }},
        {"the destination changed midway",
         [this] {
             makeFiles({"a.jpg", "b.jpg", "c.jpg"});
             moveInto(dir.file("logs"));
             dir.makeFolder("out");
             host.onYield = [this](FakeHost &h) {
                 if (h.inPass(progress::Planning) && h.progressCount == 1)
                     h.job.DestinationFolder = dir.file("logs/..//out/.");
             };
         },
         {3, 0, 0}},
    };
    for (const RoundTrip &trip : trips)
        roundTrip(trip);
}

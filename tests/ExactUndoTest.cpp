// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include "log/LogNames.h"

#include <QDir>
#include <QFile>

#include <sys/file.h>

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
    const QList<PlannedRename> records = readLogRecords(report.logPath);
    ASSERT_EQ(records.size(), 4);

    ASSERT_TRUE(QFile::rename(src(), dir.file("2023-北京")));
    const RestoreReport restored = restore(report.logPath);
    EXPECT_EQ(std::tuple(restored.restored, restored.failed, restored.logKept), std::tuple(0, 4, true));
    ASSERT_TRUE(QFile::rename(dir.file("2023-北京"), src()));

    // As a restore killed after two renames leaves them: the states still say "renamed".
    for (const PlannedRename &r : records.mid(2))
        ASSERT_TRUE(QFile::rename(r.NewPath, r.OldPath));
    // And one old name taken by a new file of the user's.
    dir.write(fileName(records[0].OldPath).prepend("src/"), "user's new file");
    restore(report.logPath);
    EXPECT_TRUE(lastBoxIs("恢复", MessageIcon::Exclamation,
                          "已经恢复了 1 个文件。\n\n有 1 个文件未能恢复（原文件名已被占用、文件已不存在或无法访问）。"
                          "\n\n重命名日志已保留，排除问题后可以再次恢复。"));

    ASSERT_TRUE(QFile::remove(records[0].OldPath));
    EXPECT_TRUE(restoresTo(report.logPath, before));
    EXPECT_EQ(host.lastStatus(), QString::fromUtf8("已经恢复了 1 个文件！"));
    EXPECT_FALSE(exists(report.logPath) || exists(statesPathFor(report.logPath)));
}

// A second run of the same type into the same folder, refused or stopped
// before its first rename, leaves the first run's log exactly as it was; one
// that completes moves it aside, and both runs can be undone in turn. The later
// run gave an old name of the first to another file with the same bytes:
// undoing the first run before the later one leaves both files alone.
TEST_F(ExactUndo, laterRun_neverDestroysAnEarlierLog_andAnOldNameTakenByTheSameBytesIsAFailure)
{
    const auto datedLogs = [this] { return QDir(dir.file("src/Restore")).entryList({"RestoreJPG-*.log"}); };
    dir.write("src/a.jpg", "same");
    dir.write("src/c.jpg", "same");
    const auto before = snapshot(src());
    replaceInNames("a", "b");
    const QString log = run().logPath;
    const QByteArray firstLog = readAll(log), firstStates = readAll(statesPathFor(log));
    const auto afterFirst = snapshot(src());

    replaceInNames("c", "a");
    host.onYield = [](FakeHost &h) { h.stop = !h.inPass(progress::Renaming); };
    EXPECT_EQ(run().ending, RunReport::Ending::Stopped);
    host.onYield = nullptr;
    if (dir.setImmutable("src/Restore")) {
        EXPECT_EQ(run().ending, RunReport::Ending::LogRefused);
        dir.setImmutable("src/Restore", false);
    }
    EXPECT_EQ(std::pair(readAll(log), readAll(statesPathFor(log))), std::pair(firstLog, firstStates));
    EXPECT_EQ(snapshot(src()), afterFirst);
    EXPECT_TRUE(datedLogs().isEmpty());

    EXPECT_EQ(run().ending, RunReport::Ending::Completed);
    ASSERT_EQ(datedLogs().size(), 1);
    const QString first = dir.file("src/Restore/") + datedLogs().first();
    EXPECT_EQ(readAll(first), firstLog);
    const RestoreReport restored = restore(first);
    EXPECT_EQ(std::tuple(restored.failed, restored.logKept), std::tuple(1, true));
    EXPECT_EQ(names(src()), QStringList({"a.jpg", "b.jpg"}));
    EXPECT_TRUE(restoresTo(log, afterFirst));
    EXPECT_TRUE(restoresTo(first, before));
    EXPECT_FALSE(exists(dir.file("src/Restore")));

    // States that can be neither moved nor removed block the name: the refusal says so.
    dir.write("src/Restore/.RestoreJPG.log.state");
    if (dir.setImmutable("src/Restore/.RestoreJPG.log.state")) {
        EXPECT_EQ(run().ending, RunReport::Ending::LogRefused);
        dir.setImmutable("src/Restore/.RestoreJPG.log.state", false);
        EXPECT_TRUE(host.lastBox()->prompt.endsWith("：" + dir.file("src/Restore/.RestoreJPG.log.state")))
            << host.lastBox()->prompt.toStdString();
        EXPECT_EQ(snapshot(src()), before);
    }
}

// A kill leaves the records the run had not reached pending. Restore touches
// only what the states prove the run did: whatever holds a new name the run
// never gave stays, whoever made it, and a record never carried out whose old
// name holds its file is back, not a failure.
TEST_F(ExactUndo, killedRun_restoreTouchesOnlyWhatTheRunDid)
{
    const struct {
        const char *what;
        QStringList files;
        std::function<void()> setUp;
        qsizetype carriedOut;
        QString copied = {}; // the run's one copy, which a restore leaves as it leaves every copy
    } cases[] = {
        {"a copy over the copies of an earlier run, killed after its first copy", {"xa.jpg", "xb.jpg", "xc.jpg"},
         [&] {
             sendInto(dir.file("out"), true);
             replaceInNames("x", "bk_x");
             ASSERT_EQ(run().done, 3);
             makeFiles({"x0.jpg"});
         },
         1, "out/bk_x0.jpg"},
        {"the user's duplicate at a new name, killed at the first rename", {"0a.jpg", "a.jpg"},
         [&] {
             dir.write("src/new_a.jpg", readAll(dir.file("src/a.jpg")));
             replaceInNames("a", "new_a");
         },
         0},
        {"another file at a new name the run never reached", {"a.jpg", "ba.jpg"},
         [&] {
             dir.write("src/bx.jpg", "the user's");
             replaceInNames("a", "x");
         },
         0},
        {"an edit that leaves the names as they are", {"IMG1.jpg", "IMG2.jpg"},
         [&] { replaceInNames("IMG", "IMG"); }, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        makeFiles(c.files);
        c.setUp();
        const auto before = snapshot(dir.path());
        const RunReport report = run();
        asKilledAfter(report.logPath, c.carriedOut);
        // A copy the kill cut short, and one another operation is still writing.
        dir.write("src/.quorin-Abc123", "cut short");
        dir.write("src/.quorin-Xyz789", "being written");
        QFile writing(dir.file("src/.quorin-Xyz789"));
        ASSERT_TRUE(writing.open(QIODevice::ReadOnly) && flock(writing.handle(), LOCK_EX) == 0);
        EXPECT_TRUE(restore(report.logPath).everyFileRestored());
        EXPECT_FALSE(exists(report.logPath));
        // The snapshot, like every listing of the program, passes over its temporary files.
        EXPECT_FALSE(exists(dir.file("src/.quorin-Abc123")));
        EXPECT_TRUE(QFile::remove(dir.file("src/.quorin-Xyz789")));
        auto after = snapshot(dir.path());
        EXPECT_TRUE(c.copied.isEmpty() || after.remove(c.copied) == 1);
        EXPECT_EQ(after, before);
        startAfresh();
    }
}

// While a run holds its log, a restore of that log and a second run that
// would move it aside are refused and change nothing; the run goes on.
TEST_F(ExactUndo, logInUse_isRefusedToASecondOperation_andNothingChanges)
{
    // A runtime folder fresh from login: the locks' folder is made on first use.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    dir.makeFolder("runtime");
    qputenv("XDG_RUNTIME_DIR", dir.file("runtime").toUtf8());
    makeFiles({"a.jpg", "b.jpg"});
    const auto before = snapshot(src());
    FakeHost other;
    RestoreReport restoreDuring;
    FileError runDuring;
    host.onYield = [&](FakeHost &h) {
        if (h.inPass(progress::Renaming) && h.progressCount == 1 && other.prompter.shown.isEmpty()) {
            restoreDuring = RestoreChosenLog(other, logPath());
            runDuring = RenameLog().CreateRenameLog(src(), "jpg", h.now());
        }
    };
    const RunReport report = run();
    EXPECT_EQ(restoreDuring.ending, RestoreReport::Ending::Refused);
    ASSERT_EQ(other.prompter.shown.size(), 1);
    EXPECT_EQ(other.prompter.shown[0].prompt, "没有恢复任何文件：" + logInUse().description);
    EXPECT_EQ(runDuring.description, logInUse().description);
    EXPECT_TRUE(report.everyFileHandled());
    EXPECT_EQ(QDir(dir.file("src/Restore")).entryList(QDir::Files), QStringList({"RestoreJPG.log"}));
    EXPECT_TRUE(restoresTo(report.logPath, before));
    qputenv("XDG_RUNTIME_DIR", runtime);
}

// A log that is not whole, or was cut, edited or paired with another log's
// states, is refused before anything is renamed or deleted; a whole one is
// restored only once the user confirms.
TEST_F(ExactUndo, onlyAWholeRenameLogWithItsOwnStatesIsTaken_andOnlyOnceConfirmed)
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
         QByteArray(whole).remove(lines[0].size() + lines[1].size() + 2, lines[2].size() + lines[3].size() + 2),
         states},
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

class StopRunTest : public RunFixture, public ::testing::WithParamInterface<int> {};

// A stop while planning touches no file and discards the log; one while
// renaming undoes exactly the records tried. A copy run leaves its copies: the
// originals never lost their names.
TEST_P(StopRunTest, stopWhilePlanningOrRenaming_undoesExactlyTheRecordsTried_andDiscardsTheLog)
{
    for (const std::string mode : {"planning", "in place", "move", "copy"}) {
        SCOPED_TRACE(mode);
        const bool planning = mode == "planning", copy = mode == "copy";
        const int records = planning ? 0 : std::min(GetParam(), 6);
        startAfresh();
        // Six files in the source folder: its listing has nine entries with ".",
        // ".." and the log folder, so nine planning checkpoints, then six records.
        // Renumbered from 1, each new name in place is the old name of the file
        // after it: only undoing from the last record tried gives every file its
        // name back.
        makeFiles({"p000.jpg", "p001.jpg", "p002.jpg", "p003.jpg", "p004.jpg", "p005.jpg"});
        const auto before = snapshot(src());
        dropOldNames();
        // Renumbering in place within one folder would ask about the destination first.
        host.job.IncludeSubfolders = true;
        if (mode == "move" || copy)
            sendInto(dir.file("out"), copy);
        host.onYield = [planning, checkpoint = planning ? GetParam() : records, seen = 0](FakeHost &h) mutable {
            const bool inPlanning = !h.inPass(progress::Renaming) && !h.inPass(progress::Restoring);
            if ((planning ? inPlanning : h.inPass(progress::Renaming)) && ++seen == checkpoint)
                h.stop = true;
        };
        const RunReport report = run();
        EXPECT_EQ(report.ending, RunReport::Ending::Stopped);
        EXPECT_EQ(report.done, records);
        EXPECT_EQ(host.maxRestoringCount, records);
        EXPECT_EQ(snapshot(src()), before);
        EXPECT_EQ(names(dir.file("out")).size(), copy ? records : 0);
        EXPECT_FALSE(exists(folderOf(logPath())));
        EXPECT_TRUE(!planning || host.statuses.contains(QString::fromUtf8("用户取消操作，正在结束...")));
        EXPECT_EQ(host.lastStatus(), planning ? QString::fromUtf8("用户取消操作！")
                                              : QString::fromUtf8("用户取消操作！已经更名的文件得到恢复！"));
        EXPECT_TRUE(host.prompter.shown.isEmpty());
        expectIdle();
    }
}

INSTANTIATE_TEST_SUITE_P(FirstMiddleLast, StopRunTest, ::testing::Values(1, 4, 9));

using StopWhileReading = RunFixture;

// A large or slow folder is read a slice at a time, each slice followed by a
// yield, so Esc is answered long before its first file is planned.
TEST_F(StopWhileReading, largeFolder_yieldsWhileItIsRead_andAStopThereTouchesNothing)
{
    QStringList many;
    for (int i = 0; i < 1000; ++i)
        many << QStringLiteral("%1.jpg").arg(i);
    makeFiles(many);
    const auto before = snapshot(src());
    host.onYield = [](FakeHost &h) { h.stop = true; };
    EXPECT_EQ(run().ending, RunReport::Ending::Stopped);
    EXPECT_EQ(host.progressKind, nullptr);
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_FALSE(exists(dir.file("src/Restore")));

    int beforeFirstFile = 0;
    host.onYield = [&beforeFirstFile](FakeHost &h) { beforeFirstFile += h.progressKind == nullptr; };
    EXPECT_EQ(run().done, 1000);
    EXPECT_GE(beforeFirstFile, 1000 / 64);
}

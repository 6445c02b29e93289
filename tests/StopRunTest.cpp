// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

using namespace quorin;
using namespace quorin::test;

namespace {

class StopRunTest : public RunFixture, public ::testing::WithParamInterface<int> {
protected:
    // Six files in the source folder: its listing has nine entries with ".",
    // ".." and the log folder, so nine planning checkpoints, then six records.
    // Renumbered from 1, each new name in place is the old name of the file
    // after it: only undoing from the last record tried gives every file its
    // name back.
    void SetUp() override { makeFiles({"p000.jpg", "p001.jpg", "p002.jpg", "p003.jpg", "p004.jpg", "p005.jpg"}); }

    void stopAt(const ProgressText *pass, int checkpoint)
    {
        host.onYield = [pass, checkpoint, seen = 0](FakeHost &h) mutable {
            const bool planning = !h.inPass(progress::Renaming) && !h.inPass(progress::Restoring);
            if ((pass == &progress::Planning ? planning : h.inPass(*pass)) && ++seen == checkpoint)
                h.stop = true;
        };
    }
};

} // namespace

// A stop while planning touches no file and discards the log; one while
// renaming undoes exactly the records tried. A copy run leaves its copies: the
// originals never lost their names.
TEST_P(StopRunTest, stopWhilePlanningOrRenaming_undoesExactlyTheRecordsTried_andDiscardsTheLog)
{
    const auto before = snapshot(src());
    for (const std::string mode : {"planning", "in place", "move", "copy"}) {
        SCOPED_TRACE(mode);
        const bool planning = mode == "planning", copy = mode == "copy";
        const int records = planning ? 0 : std::min(GetParam(), 6);
        resetJob();
        dropOldNames();
        // Renumbering in place within one folder would ask about the destination first.
        host.job.IncludeSubfolders = true;
        if (mode == "move" || copy)
            sendInto(dir.file("out"), copy);
        host.maxRestoringCount = 0;
        host.statuses.clear();
        stopAt(planning ? &progress::Planning : &progress::Renaming, planning ? GetParam() : records);
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

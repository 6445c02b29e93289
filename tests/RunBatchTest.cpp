// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorin;
using namespace quorin::test;

namespace {

using RunBatchTest = RunFixture;

int numberIn(const QString &path)
{
    return QRegularExpression(QStringLiteral("^p(\\d{3})")).match(fileName(path)).captured(1).toInt();
}

int depth(const QString &path) { return int(path.count(u'/')); }

} // namespace

TEST_F(RunBatchTest, classicRunOverSubfolders_walksBreadthFirst_andRestoreBringsEveryFileBack)
{
    makeFiles({"1.jpg", "2.jpg", "3.jpg", "note.txt", "a/4.jpg", "a/5.jpg", "b/6.JPG", "a/deep/7.jpg",
               "Restore/old.jpg", "restore/8.jpg", "old.jpg/inside.txt"});
    const auto before = snapshot(src());
    host.job.IncludeSubfolders = true;

    const RunReport report = run();
    EXPECT_EQ(report.ending, RunReport::Ending::Completed);
    EXPECT_EQ(report.done, 8);
    EXPECT_TRUE(report.everyFileHandled());
    expectIdle();
    EXPECT_EQ(host.lastStatus(), QString::fromUtf8("操作完成！一共重命名了 8 个文件"));
    ASSERT_NE(host.lastBox(), nullptr);
    EXPECT_EQ(host.lastBox()->prompt, QString::fromUtf8("操作已经完成！总共重命名了 8 个扩展名为 JPG 的文件！"));
    EXPECT_EQ(host.lastBox()->icon, MessageIcon::Information);
    EXPECT_TRUE(exists(dir.file("src/Restore/old.jpg")));
    EXPECT_TRUE(exists(dir.file("src/old.jpg/inside.txt")));

    const QList<PlannedRename> records = logRecords(report.logPath);
    ASSERT_EQ(records.size(), 8);
    QStringList foldersSeen;
    QMap<QString, int> numbered;
    for (const PlannedRename &r : records) {
        EXPECT_EQ(folderOf(r.OldPath), folderOf(r.NewPath));
        EXPECT_TRUE(exists(r.NewPath) && !exists(r.OldPath));
        const QString folder = folderOf(r.OldPath);
        if (foldersSeen.isEmpty() || foldersSeen.last() != folder) {
            EXPECT_FALSE(foldersSeen.contains(folder)) << "each folder's files stand together";
            if (!foldersSeen.isEmpty()) {
                EXPECT_GE(depth(folder), depth(foldersSeen.last())) << "breadth first";
            }
            foldersSeen << folder;
        }
        EXPECT_EQ(numberIn(r.NewPath), ++numbered[folder]) << "numbers start again in every folder";
    }

    host.prompter.shown.clear();
    const RestoreReport restored = restore(report.logPath);
    EXPECT_TRUE(restored.everyFileRestored());
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_EQ(host.lastStatus(), QString::fromUtf8("已经恢复了 8 个文件！"));
    EXPECT_EQ(host.lastBox()->title, QString::fromUtf8("成功"));
    EXPECT_FALSE(exists(report.logPath));
    EXPECT_TRUE(exists(dir.file("src/Restore/old.jpg"))) << "a log folder holding other files stays";
}

TEST_F(RunBatchTest, continuousNumbering_runsOnAcrossFolders_andWithoutSubfoldersOnlyTheSourceIsRenamed)
{
    makeFiles({"1.jpg", "2.jpg", "a/3.jpg", "a/4.jpg", "b/5.jpg"});
    host.job.IncludeSubfolders = true;
    host.job.ContinuousNumbering = true;
    const QList<PlannedRename> records = logRecords(run().logPath);
    ASSERT_EQ(records.size(), 5);
    for (int i = 0; i < records.size(); ++i)
        EXPECT_EQ(numberIn(records[i].NewPath), i + 1);

    ASSERT_TRUE(restore(logPath()).everyFileRestored());
    host.job.IncludeSubfolders = false;
    EXPECT_EQ(run().done, 2);
    EXPECT_TRUE(exists(dir.file("src/a/3.jpg")) && exists(dir.file("src/b/5.jpg")));
}

TEST_F(RunBatchTest, advancedEditInPlace_renamesFittingNamesOnly_andRestores)
{
    makeFiles({"IMG_1.jpg", "IMG_IMG.jpg", "img_2.jpg", "IMG.jpg", "JPG"});
    const auto before = snapshot(src());
    host.job.AdvancedEdit = true;
    host.job.Edit.Kind = NameEditKind::Replace;
    host.job.Edit.FindText = "IMG";
    host.job.Edit.ReplaceText = "DSC";
    const RunReport report = run();
    EXPECT_EQ(report.done, 3);
    EXPECT_TRUE(report.everyFileHandled()) << "names the edit does not fit are not counted";
    EXPECT_TRUE(exists(dir.file("src/DSC_IMG.jpg")) && exists(dir.file("src/DSC.jpg")));
    EXPECT_TRUE(exists(dir.file("src/img_2.jpg")) && exists(dir.file("src/JPG")));
    EXPECT_TRUE(restore(report.logPath).everyFileRestored());
    EXPECT_EQ(snapshot(src()), before);
}

TEST_F(RunBatchTest, copyRun_leavesOriginals_andItsRestoreSaysThereIsNothingToUndo)
{
    makeFiles({"a.jpg", "b.jpg"});
    const auto before = snapshot(src());
    dir.makeFolder("out");
    host.job.CopyToDestination = true;
    host.job.DestinationFolder = dir.file("out");
    const RunReport report = run();
    EXPECT_EQ(report.done, 2);
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_TRUE(exists(dir.file("out/Restore/RestoreJPG.log")));
    for (const PlannedRename &r : logRecords(report.logPath))
        EXPECT_EQ(readAll(r.NewPath), readAll(r.OldPath));
    const auto copies = snapshot(dir.file("out"));

    const RestoreReport restored = restore(report.logPath);
    EXPECT_TRUE(restored.everyFileRestored());
    EXPECT_EQ(host.lastBox()->title, QString::fromUtf8("恢复"));
    EXPECT_EQ(host.lastBox()->icon, MessageIcon::Information);
    EXPECT_EQ(host.lastBox()->prompt,
              QString::fromUtf8("这些文件是复制生成的，原文件从未改名，无需恢复；复制的文件保持不变。"));
    EXPECT_FALSE(exists(report.logPath));
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_EQ(snapshot(dir.file("out")), copies);
}

TEST_F(RunBatchTest, moveRun_intoAnotherFolderAndAnotherFileSystem_restoresBack)
{
    QTemporaryDir shm(QStringLiteral("/dev/shm/quorin-test-XXXXXX"));
    QStringList destinations{dir.file("out")};
    if (shm.isValid())
        destinations << shm.path();
    for (const QString &out : destinations) {
        SCOPED_TRACE(out.toStdString());
        makeFiles({"a.jpg", "b.jpg", "c.txt"});
        const auto before = snapshot(src());
        QDir().mkpath(out);
        host.job.MoveToDestination = true;
        host.job.DestinationFolder = out;
        const RunReport report = run();
        ASSERT_EQ(report.done, 2);
        EXPECT_TRUE(exists(out + "/p001a.jpg") || exists(out + "/p001b.jpg"));
        EXPECT_EQ(snapshot(src()).size(), 1);
        EXPECT_TRUE(restore(report.logPath).everyFileRestored());
        EXPECT_EQ(snapshot(src()), before);
        EXPECT_FALSE(exists(out + "/Restore"));
    }
}

TEST_F(RunBatchTest, passedOverRecords_keepBothFilesAndAreReported)
{
    makeFiles({"a.jpg", "b.jpg", "ca.jpg", "da.jpg"});
    host.job.AdvancedEdit = true;
    host.job.Edit.Kind = NameEditKind::Replace;
    host.job.Edit.FindText = "a";
    host.job.Edit.ReplaceText = "b";
    const bool locked = dir.setImmutable("src/da.jpg");
    // Once the plan is on disk, one planned file goes away before its turn.
    host.onYield = [this, done = false](FakeHost &h) mutable {
        if (done || !h.inPass(progress::Renaming))
            return;
        done = true;
        const QList<PlannedRename> records = logRecords(logPath());
        for (auto it = records.rbegin(); it != records.rend(); ++it)
            if (fileName(it->OldPath) == u"ca.jpg" && exists(it->OldPath))
                QFile::remove(it->OldPath);
    };
    const RunReport report = run();
    dir.setImmutable("src/da.jpg", false);

    EXPECT_EQ(report.ending, RunReport::Ending::Completed);
    EXPECT_EQ(readAll(dir.file("src/b.jpg")), "b.jpg") << "a taken name is never replaced";
    EXPECT_EQ(readAll(dir.file("src/a.jpg")), "a.jpg");
    if (locked) {
        EXPECT_EQ(readAll(dir.file("src/da.jpg")), "da.jpg");
    }
    const qint64 failed = (locked ? 3 : 2) - (exists(dir.file("src/cb.jpg")) ? 1 : 0);
    EXPECT_EQ(report.passedOver, failed);
    EXPECT_EQ(report.done, 3 - failed);
    EXPECT_EQ(host.lastBox()->icon, MessageIcon::Exclamation);
    EXPECT_TRUE(host.lastBox()->prompt.contains(QString::fromUtf8("\n\n有 %1 个文件未能重命名（").arg(failed)));
    EXPECT_EQ(host.lastStatus(), QString::fromUtf8("操作完成！一共重命名了 %1 个文件").arg(3 - failed));
}

TEST_F(RunBatchTest, copyOntoTakenName_isPassedOverAndTargetKept)
{
    makeFiles({"a.jpg"});
    dir.write("out/p001a.jpg", "precious");
    host.job.CopyToDestination = true;
    host.job.DestinationFolder = dir.file("out");
    const RunReport report = run();
    EXPECT_EQ(report.passedOver, 1);
    EXPECT_EQ(readAll(dir.file("out/p001a.jpg")), "precious");
}

TEST_F(RunBatchTest, namesALogCannotHold_areLeftAloneAndCounted)
{
    makeFiles({"good.jpg", "line\nbreak.jpg"});
    const QByteArray raw = (src() + "/bad\xff").toUtf8() + QByteArray("\xfe.jpg");
    close(open(raw.constData(), O_CREAT | O_WRONLY, 0644));
    const RunReport report = run();
    EXPECT_EQ(report.done, 1);
    EXPECT_EQ(report.leftAlone, 2);
    EXPECT_TRUE(exists(dir.file("src/line\nbreak.jpg")));
    struct stat info;
    EXPECT_EQ(stat(raw.constData(), &info), 0);
    EXPECT_EQ(logRecords(report.logPath).size(), 1);
    EXPECT_TRUE(host.lastBox()->prompt.endsWith(
        QString::fromUtf8("\n\n有 2 个文件的名称含有无法记录或不能用于文件名的字符，没有更改。")));
}

TEST_F(RunBatchTest, folderNamesWithSpaces_andTheLogFolderAsSource_renameOnlyWhatWasChosen)
{
    dir.write("photos /a.jpg");
    dir.write("photos/b.jpg");
    host.job.SourceFolder = host.job.DestinationFolder = dir.file("photos ");
    EXPECT_EQ(run().done, 1);
    EXPECT_TRUE(exists(dir.file("photos/b.jpg")));

    // The log folder as the source, however it is spelled: the logs, earlier
    // logs kept under their date and the record states are never planned.
    dir.write("d/Restore/old.log");
    dir.write("d/Restore/RestoreJPG.log");
    host.job.DestinationFolder = dir.file("d");
    host.job.FileType = "LOG";
    host.job.IncludeHidden = true;
    for (const char *source : {"d//Restore", "d/./Restore/", "d/x/../Restore"}) {
        SCOPED_TRACE(source);
        host.job.SourceFolder = dir.file(source);
        const RunReport report = run();
        EXPECT_EQ(report.done, 1) << "only the user's own file";
        EXPECT_TRUE(exists(report.logPath));
        EXPECT_FALSE(readAll(report.logPath).contains("//"));
        ASSERT_TRUE(QFile::rename(logRecords(report.logPath).first().NewPath, dir.file("d/Restore/old.log")));
    }
}

TEST_F(RunBatchTest, linkPlantedWhereTheLogGoes_isMovedAsideAndNothingIsWrittenThroughIt)
{
    for (const bool hard : {false, true}) {
        SCOPED_TRACE(hard ? "hard link" : "symbolic link");
        makeFiles({"a.jpg"});
        dir.write("precious.txt", "keep me");
        dir.makeFolder("src/Restore");
        const QByteArray from = dir.file("precious.txt").toUtf8(), to = logPath().toUtf8();
        ASSERT_EQ(hard ? ::link(from, to) : ::symlink(from, to), 0);
        const RunReport report = run();
        EXPECT_EQ(report.ending, RunReport::Ending::Completed);
        EXPECT_EQ(readAll(dir.file("precious.txt")), "keep me");
        EXPECT_EQ(QDir(dir.file("src/Restore")).entryList({"RestoreJPG-*.log"}, QDir::Files | QDir::System).size(), 1);
        EXPECT_TRUE(restore(report.logPath).everyFileRestored());
        EXPECT_EQ(readAll(dir.file("precious.txt")), "keep me");
        QDir(dir.file("src/Restore")).removeRecursively();
    }
}

TEST_F(RunBatchTest, copyOfAPipe_isPassedOverInsteadOfWaitingForever)
{
    makeFiles({"a.jpg"});
    ASSERT_EQ(mkfifo(dir.file("src/pipe.jpg").toUtf8().constData(), 0644), 0);
    dir.makeFolder("out");
    host.job.CopyToDestination = true;
    host.job.DestinationFolder = dir.file("out");
    const RunReport report = run();
    EXPECT_EQ(report.done, 1);
    EXPECT_EQ(report.passedOver, 1);
    EXPECT_EQ(snapshot(dir.file("out")).size(), 1);
}

TEST_F(RunBatchTest, textChangedMidRunToHoldASlash_leavesLaterFilesAlone)
{
    makeFiles({"a.jpg", "b.jpg", "c.jpg"});
    host.onYield = [](FakeHost &h) {
        if (h.inPass(progress::Planning) && h.progressCount == 1)
            h.job.AddText = "x/";
    };
    const RunReport report = run();
    EXPECT_EQ(report.done, 1);
    EXPECT_EQ(report.leftAlone, 2);
    EXPECT_EQ(snapshot(src()).size(), 3);
}

TEST_F(RunBatchTest, unwritableDestination_refusesTheRunAndTouchesNothing)
{
    makeFiles({"a.jpg"});
    const auto before = snapshot(src());
    if (!dir.setImmutable("src"))
        GTEST_SKIP() << "chattr +i needs root on a file system that supports it";
    const RunReport report = run();
    dir.setImmutable("src", false);
    EXPECT_EQ(report.ending, RunReport::Ending::LogRefused);
    EXPECT_EQ(snapshot(src()), before);
    expectIdle();
    ASSERT_EQ(host.prompter.shown.size(), 1);
    EXPECT_EQ(host.lastBox()->title, QString::fromUtf8("目录"));
    EXPECT_TRUE(host.lastBox()->prompt.startsWith(
        QString::fromUtf8("无法在目标文件夹中建立重命名日志，没有更改任何文件。\n\n") + logPath() + "\n\n"));
}

class FullDiskRun : public RunFixture {
protected:
    void SetUp() override
    {
        dir.makeFolder("small");
        int status = -1;
        shell(QStringLiteral("mount -t tmpfs -o size=64k tmpfs '%1' 2>/dev/null").arg(dir.file("small")), &status);
        if (status != 0)
            GTEST_SKIP() << "mounting a small tmpfs is not allowed here";
        mounted = true;
        host.job.CopyToDestination = true;
        host.job.DestinationFolder = dir.file("small");
    }
    void TearDown() override
    {
        if (mounted)
            shell(QStringLiteral("umount '%1'").arg(dir.file("small")));
    }
    bool mounted = false;
};

TEST_F(FullDiskRun, logThatCannotBeFlushed_refusesTheRun)
{
    makeFiles({"a.jpg"});
    dir.write("small/filler", QByteArray(64 * 1024, 'x'));
    const RunReport report = run();
    EXPECT_EQ(report.ending, RunReport::Ending::LogRefused);
    EXPECT_FALSE(exists(dir.file("small/p001a.jpg")));
    EXPECT_FALSE(exists(logPath()));
    expectIdle();
    EXPECT_EQ(host.lastBox()->title, QString::fromUtf8("目录"));
}

TEST_F(FullDiskRun, copyThatRunsOutOfSpace_endsWithTheGeneralErrorAndKeepsTheLog)
{
    dir.write("src/big.jpg", QByteArray(256 * 1024, 'x'));
    const RunReport report = run();
    EXPECT_EQ(report.ending, RunReport::Ending::Ended);
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(host.lastBox()->title, QString::fromUtf8("发生错误"));
    EXPECT_EQ(host.lastBox()->icon, MessageIcon::Critical);
    EXPECT_TRUE(host.lastBox()->prompt.startsWith(QString::fromUtf8("发生未知错误！\n\n错误代码：")));
    EXPECT_TRUE(host.lastBox()->prompt.endsWith(QString::fromUtf8("\n\n如果错误仍然存在，请您与作者联系！")));
    EXPECT_TRUE(exists(logPath()));
    EXPECT_FALSE(exists(dir.file("small/p001big.jpg")));
}

TEST_F(RunBatchTest, numbering_followsNameOrder_andSubfoldersAreQueuedInNameOrder)
{
    makeFiles({"IMG_0003.JPG", "b10/x.jpg", "IMG_0010.JPG", "img_0002.jpg", "b2/x.jpg", "IMG_0001.JPG",
               "a/x.jpg", "IMG_0004.JPG"});
    host.job.IncludeSubfolders = true;
    host.job.ContinuousNumbering = true;
    QStringList planned;
    for (const PlannedRename &r : logRecords(run().logPath))
        planned << r.OldPath.mid(src().size() + 1) + " " + fileName(r.NewPath);
    EXPECT_EQ(planned, QStringList({"IMG_0001.JPG p001IMG_0001.JPG", "img_0002.jpg p002img_0002.jpg",
                                    "IMG_0003.JPG p003IMG_0003.JPG", "IMG_0004.JPG p004IMG_0004.JPG",
                                    "IMG_0010.JPG p005IMG_0010.JPG", "a/x.jpg p006x.jpg", "b2/x.jpg p007x.jpg",
                                    "b10/x.jpg p008x.jpg"}));
}

TEST_F(RunBatchTest, namesExactlyAsTheyAre_aLeadingByteOrderMarkAndATab_areCopiedRenamedAndRestored)
{
    const QString marked = QChar(0xFEFF) + QStringLiteral("a.jpg");
    makeFiles({"a.jpg", marked, "tab\there.jpg"});
    const auto before = snapshot(src());
    dir.makeFolder("out");
    host.job.CopyToDestination = true;
    host.job.DestinationFolder = dir.file("out");
    RunReport report = run();
    EXPECT_TRUE(report.everyFileHandled());
    QStringList copied;
    for (const PlannedRename &r : logRecords(report.logPath)) {
        copied << fileName(r.OldPath);
        EXPECT_EQ(readAll(r.NewPath), fileName(r.OldPath).toUtf8());
    }
    EXPECT_EQ(copied, QStringList({"a.jpg", "tab\there.jpg", marked}));

    host.job.CopyToDestination = false;
    host.job.DestinationFolder = src();
    report = run();
    EXPECT_EQ(report.done, 3);
    EXPECT_TRUE(exists(src() + "/p003" + marked));
    EXPECT_TRUE(restore(report.logPath).everyFileRestored());
    EXPECT_EQ(snapshot(src()), before);
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorin;
using namespace quorin::test;

using RunBatchTest = RunFixture;

TEST_F(RunBatchTest, classicRunOverSubfolders_walksBreadthFirst_andRestoreBringsEveryFileBack)
{
    makeFiles({"1.jpg", "2.jpg", "3.jpg", "note.txt", "a/4.jpg", "a/5.jpg", "b/6.JPG", "a/deep/7.jpg",
               "Restore/old.jpg", "restore/8.jpg", "old.jpg/inside.txt"});
    const auto before = snapshot(src());
    host.job.IncludeSubfolders = true;

    const RunReport report = run();
    expectIdle();
    EXPECT_EQ(host.lastStatus(), QString::fromUtf8("操作完成！一共重命名了 8 个文件"));
    EXPECT_TRUE(lastBoxIs("操作完成", MessageIcon::Information, "操作已经完成！总共重命名了 8 个扩展名为 JPG 的文件！"));
    // Breadth first, each folder's files together and numbered from 1; neither
    // the log folder nor a folder named like the type is renamed or entered.
    EXPECT_EQ(planned(report.logPath),
              QStringList({"1.jpg p0011.jpg", "2.jpg p0022.jpg", "3.jpg p0033.jpg", "a/4.jpg p0014.jpg",
                           "a/5.jpg p0025.jpg", "b/6.JPG p0016.JPG", "restore/8.jpg p0018.jpg",
                           "a/deep/7.jpg p0017.jpg"}));
    for (const PlannedRename &r : readLogRecords(report.logPath))
        EXPECT_TRUE(exists(r.NewPath) && !exists(r.OldPath));

    EXPECT_TRUE(restoresTo(report.logPath, before));
    EXPECT_EQ(host.lastStatus(), QString::fromUtf8("已经恢复了 8 个文件！"));
    EXPECT_TRUE(lastBoxIs("成功", MessageIcon::Information, "文件名已经恢复！"));
    EXPECT_FALSE(exists(report.logPath));
    EXPECT_TRUE(exists(dir.file("src/Restore/old.jpg"))) << "a log folder holding other files stays";
}

// Runs of every kind, and names and trees people do not expect: each is run,
// then restored, and no file may be lost or left under another name. Every
// log the program writes passes Restore's checks, wherever it ends up.
TEST_F(RunBatchTest, runsOfEveryKind_andNamesPeopleDoNotExpect_restoreEveryFile_whereverTheLogIsMoved)
{
    const QStringList marked = {"a.jpg", QChar(0xFEFF) + QStringLiteral("a.jpg"), "tab\there.jpg"};
    const QStringList markedAfter = {"p001a.jpg", "p002tab\there.jpg", "p003" + marked[1]};
    // Without a second file system at hand the move stays on this one.
    QTemporaryDir shm(QStringLiteral("/dev/shm/quorin-test-XXXXXX"));
    const QString otherDisk = shm.isValid() ? shm.path() : dir.file("out");
    const auto withSubfolders = [this] { host.job.IncludeSubfolders = true; };
    // The old path is 4,092 bytes; the new one, 4,096, is one more than a path may hold.
    QString nearPathMax(4092 - int(src().toUtf8().size()) - 7, u'd');
    for (qsizetype i = 200; i < nearPathMax.size(); i += 201)
        nearPathMax[i] = u'/';
    nearPathMax += "/x.jpg";
    const QStringList numbered = {"IMG_0003.JPG", "b10/x.jpg", "IMG_0010.JPG", "img_0002.jpg", "b2/x.jpg",
                                  "IMG_0001.JPG", "a/x.jpg", "IMG_0004.JPG"};
    roundTrips({
        {"continuous numbering, in name order across folders", numbered,
         [this] { host.job.IncludeSubfolders = host.job.ContinuousNumbering = true; }, {8, 0, 0},
         {"a/p006x.jpg", "b10/p008x.jpg", "b2/p007x.jpg", "p001IMG_0001.JPG", "p002img_0002.jpg", "p003IMG_0003.JPG",
          "p004IMG_0004.JPG", "p005IMG_0010.JPG"}},
        {"continuous numbering without sub-folders: only the source's own files", numbered,
         [this] { host.job.ContinuousNumbering = true; }, {5, 0, 0},
         {"a/x.jpg", "b10/x.jpg", "b2/x.jpg", "p001IMG_0001.JPG", "p002img_0002.jpg", "p003IMG_0003.JPG",
          "p004IMG_0004.JPG", "p005IMG_0010.JPG"}},
        {"an advanced edit in place, which not every name fits",
         {"IMG_1.jpg", "IMG_IMG.jpg", "img_2.jpg", "IMG.jpg", "JPG"}, [this] { replaceInNames("IMG", "DSC"); },
         {3, 0, 0}, {"DSC.jpg", "DSC_1.jpg", "DSC_IMG.jpg", "JPG", "img_2.jpg"}},
        {"names exactly as they are: a leading byte order mark and a tab", marked, {}, {3, 0, 0}, markedAfter},
        {"a move into another folder", {"a.jpg", "b.jpg", "c.txt"}, [this] { sendInto(dir.file("out"), false); },
         {2, 0, 0}, {"p001a.jpg", "p002b.jpg"}},
        {"a move onto another file system", {"a.jpg", "b.jpg", "c.txt"}, [&] { sendInto(otherDisk, false); },
         {2, 0, 0}, {"p001a.jpg", "p002b.jpg"}},
        {"a copy, of names exactly as they are", marked, [this] { sendInto(dir.file("out"), true); }, {3, 0, 0},
         markedAfter},
        // Renumbering: a new name is often the old name of another file of the run.
        {"a numbered folder with a new photo in front",
         {"p001.jpg", "p002.jpg", "p003.jpg", "p004.jpg", "p005.jpg", "p006.jpg", "p000.jpg"},
         [this] { dropOldNames(); }, {7, 0, 0},
         {"p001.jpg", "p002.jpg", "p003.jpg", "p004.jpg", "p005.jpg", "p006.jpg", "p007.jpg"}},
        {"the same renumbering again: every file has its new name already", {"p001.jpg", "p002.jpg", "p003.jpg"},
         [this] { dropOldNames(); }, {3, 0, 0}, {"p001.jpg", "p002.jpg", "p003.jpg"}},
        {"a photo removed from the middle", {"p001.jpg", "p002.jpg", "p004.jpg", "p005.jpg"},
         [this] { dropOldNames(); }, {4, 0, 0}, {"p001.jpg", "p002.jpg", "p003.jpg", "p004.jpg"}},
        {"a chain held up by a folder, which the run never renames", {"p001.jpg/x.txt", "p002.jpg", "p003.jpg"},
         [this] { dropOldNames(); }, {0, 2, 0}, {"p001.jpg/x.txt", "p002.jpg", "p003.jpg"}},
        {"across 9 to 10, in plain numbers",
         {"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg", "p6.jpg", "p7.jpg", "p8.jpg", "p9.jpg"},
         [this] { dropOldNames("1"); }, {10, 0, 0},
         {"p1.jpg", "p10.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p5.jpg", "p6.jpg", "p7.jpg", "p8.jpg", "p9.jpg"}},
        {"a move into the folder that holds the files of an earlier move, named through a link",
         {"p001.jpg", "p002.jpg", "new.jpg"},
         [this] {
             dropOldNames();
             QFile::link(src(), dir.file("link"));
             sendInto(dir.file("link"), false);
         },
         {3, 0, 0}, {"p001.jpg", "p002.jpg", "p003.jpg"}},
        {"a run that renamed nothing: its log is the header alone", {}, {}, {0, 0, 0}},
        {"the log folder moved", {"a.jpg", "b.jpg", "c.jpg"}, {}, {3, 0, 0}, {},
         [this](const QString &log) {
             EXPECT_TRUE(QFile::rename(folderOf(log).chopped(1), dir.file("moved")));
             return dir.file("moved/") + fileName(log);
         }},
        {"the destination changed midway", {"a.jpg", "b.jpg", "c.jpg"},
         [this] {
             sendInto(dir.file("logs"), false);
             dir.makeFolder("out");
             host.onYield = [this](FakeHost &h) {
                 if (h.inPass(progress::Planning) && h.progressCount == 1)
                     h.job.DestinationFolder = dir.file("logs/..//out/.");
             };
         },
         {3, 0, 0}},
        {"folders typed relative to the working folder", {"a.jpg", "b.jpg"},
         [this] {
             QDir::setCurrent(dir.path());
             host.job.SourceFolder = "src";
             host.job.DestinationFolder = "./src/";
         },
         {2, 0, 0}},
        {"a 255-byte name that would grow past 255 bytes", {QString(251, u'a') + ".jpg"}, {}, {0, 1, 0}},
        {"emoji, full-width letters and spaces at both ends", {QString::fromUtf8(" 😀照片ＡＢＣ .jpg")}, {}, {1, 0, 0}},
        {"\\, : and * in a name", {"a\\b:c*.jpg"}, {}, {1, 0, 0}},
        {"a path near PATH_MAX that would grow past it", {nearPathMax}, withSubfolders, {0, 1, 0}},
        {"a symbolic link to its own folder", {},
         [&] {
             ASSERT_EQ(::symlink(".", dir.file("src/loop.jpg").toUtf8().constData()), 0);
             withSubfolders();
         },
         {1, 0, 0}},
        {"a destination inside the source, moving with sub-folders", {"a.jpg", "sub/b.jpg"},
         [&] {
             withSubfolders();
             sendInto(dir.file("src/out"), false);
         },
         {2, 0, 0}},
        {"names a line-based log cannot hold: a line break, bytes outside UTF-8", {"good.jpg", "line\nbreak.jpg"},
         [this] {
             close(open(((src() + "/bad\xff").toUtf8() + "\xfe.jpg").constData(), O_CREAT | O_WRONLY, 0644));
         },
         {1, 0, 2}},
        {"the text changed mid-run to hold a slash", {"a.jpg", "b.jpg", "c.jpg"},
         [this] {
             host.onYield = [](FakeHost &h) {
                 if (h.inPass(progress::Planning) && h.progressCount == 1)
                     h.job.AddText = "x/";
             };
         },
         {1, 0, 2}},
    });
}

// The user then moves a.jpg away: Restore must not hand its name to the
// unrelated file that kept it from being renamed.
TEST_F(RunBatchTest, passedOverRecords_keepBothFilesAndAreReported_andAreNeverUndone)
{
    makeFiles({"a.jpg", "b.jpg", "ca.jpg", "da.jpg"});
    replaceInNames("a", "b");
    const bool locked = dir.setImmutable("src/ca.jpg");
    // Once the plan is on disk, one planned file goes away before its turn.
    host.onYield = [this](FakeHost &h) {
        if (h.inPass(progress::Renaming))
            QFile::remove(dir.file("src/da.jpg"));
    };
    const RunReport report = run();
    dir.setImmutable("src/ca.jpg", false);

    EXPECT_EQ(readAll(dir.file("src/b.jpg")), "b.jpg") << "a taken name is never replaced";
    EXPECT_EQ(readAll(dir.file("src/a.jpg")), "a.jpg");
    const qint64 failed = locked ? 3 : 2;
    EXPECT_EQ(counts(report), Counts(3 - failed, failed, 0));
    EXPECT_EQ(host.lastBox()->icon, MessageIcon::Exclamation);
    EXPECT_TRUE(host.lastBox()->prompt.contains(QString::fromUtf8("\n\n有 %1 个文件未能重命名（").arg(failed)));
    EXPECT_EQ(host.lastStatus(), QString::fromUtf8("操作完成！一共重命名了 %1 个文件").arg(3 - failed));

    ASSERT_TRUE(QFile::rename(dir.file("src/a.jpg"), dir.file("elsewhere.jpg")));
    // A passed-over record is no failure.
    const RestoreReport restored = restore(report.logPath);
    EXPECT_EQ(std::tuple(restored.everyFileRestored(), restored.restored), std::tuple(true, locked ? 0 : 1));
    EXPECT_EQ(names(src()), QStringList({"b.jpg", "ca.jpg"}));
    EXPECT_FALSE(exists(report.logPath));
}

// A pipe would keep a copy waiting forever.
TEST_F(RunBatchTest, copyOntoATakenNameOrOfAPipe_isPassedOver_andTheTargetKept)
{
    makeFiles({"a.jpg", "b.jpg"});
    ASSERT_EQ(mkfifo(dir.file("src/pipe.jpg").toUtf8().constData(), 0644), 0);
    dir.write("out/p001a.jpg", "precious");
    sendInto(dir.file("out"), true);
    EXPECT_EQ(counts(run()), Counts(1, 2, 0));
    EXPECT_EQ(readAll(dir.file("out/p001a.jpg")), "precious");
    EXPECT_EQ(names(dir.file("out")), QStringList({"p001a.jpg", "p002b.jpg"}));
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
        ASSERT_TRUE(QFile::rename(readLogRecords(report.logPath).first().NewPath, dir.file("d/Restore/old.log")));
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
        EXPECT_EQ(QDir(dir.file("src/Restore")).entryList({"RestoreJPG-*.log"}, QDir::Files | QDir::System).size(), 1);
        EXPECT_TRUE(restore(report.logPath).everyFileRestored());
        EXPECT_EQ(readAll(dir.file("precious.txt")), "keep me");
        QDir(dir.file("src/Restore")).removeRecursively();
    }
}

// A folder the log cannot be made in, and a disk too full to take it.
TEST_F(RunBatchTest, logThatCannotBeWritten_refusesTheRunAndTouchesNothing)
{
    makeFiles({"a.jpg"});
    const auto before = snapshot(src());
    SmallDisk small(dir.file("small"), "64k");
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full disk" : "locked folder");
        if (full ? !small.mounted() : !dir.setImmutable("src"))
            continue; // needs root on a file system that allows it
        if (full) {
            dir.write("small/filler", QByteArray(64 * 1024, 'x'));
            sendInto(dir.file("small"), true);
        }
        host.prompter.shown.clear();
        const RunReport report = run();
        dir.setImmutable("src", false);
        EXPECT_EQ(report.ending, RunReport::Ending::LogRefused);
        EXPECT_EQ(snapshot(src()), before);
        EXPECT_FALSE(exists(logPath()) || exists(dir.file("small/p001a.jpg")));
        expectIdle();
        ASSERT_EQ(host.prompter.shown.size(), 1);
        EXPECT_EQ(host.lastBox()->title, QString::fromUtf8("目录"));
        EXPECT_TRUE(host.lastBox()->prompt.startsWith(
            QString::fromUtf8("无法在目标文件夹中建立重命名日志，没有更改任何文件。\n\n") + logPath() + "\n\n"));
    }
}

TEST_F(RunBatchTest, copyThatRunsOutOfSpace_endsWithTheGeneralErrorAndKeepsTheLog)
{
    SmallDisk small(dir.file("small"), "64k");
    if (!small.mounted())
        GTEST_SKIP() << "mounting a small tmpfs is not allowed here";
    sendInto(dir.file("small"), true);
    dir.write("src/big.jpg", QByteArray(256 * 1024, 'x'));
    const RunReport report = run();
    EXPECT_EQ(report.ending, RunReport::Ending::Ended);
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(host.lastBox()->title, QString::fromUtf8("发生错误"));
    EXPECT_EQ(host.lastBox()->icon, MessageIcon::Critical);
    EXPECT_TRUE(host.lastBox()->prompt.startsWith(QString::fromUtf8("发生未知错误！\n\n错误代码：")));
    EXPECT_TRUE(host.lastBox()->prompt.endsWith(QString::fromUtf8("\n\n如果错误仍然存在，请您与作者联系！")));
    EXPECT_TRUE(exists(logPath()));
    // A raw listing: the program's own hides its temporary files.
    EXPECT_EQ(QDir(dir.file("small")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList{"Restore"})
        << "no part of the copy, under its name or a temporary one";
}

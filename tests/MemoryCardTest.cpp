// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include "engine/ValidateJob.h"
#include "platform/FileOperations.h"
#include "platform/NoReplaceRename.h"

#include <QDir>
#include <QFile>

using namespace quorin;
using namespace quorin::test;

namespace {

// A small FAT or exFAT image mounted through FUSE, as a memory card is: FAT
// through fusefat (made by dosfstools), exFAT through a loop device and
// exfat-fuse (made by exfatprogs). Mounting needs root.
class MemoryCardTest : public RunFixture, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override
    {
        if (!runningAsRoot())
            GTEST_SKIP() << "mounting a card image needs root";
        const QString image = dir.file("card.img");
        const bool fat = GetParam() == "FAT";
        dir.makeFolder("card");
        const QString made =
            QStringLiteral("truncate -s 8M '%1' && mkfs.%2 '%1' >/dev/null").arg(image, fat ? "vfat" : "exfat");
        if (!fat)
            loopDevice = QString::fromUtf8(shell(made + " && losetup -f --show '" + image + "'")).trimmed();
        const QString mount = fat ? made + " && fusefat -o rw+ '" + image + "' '" + onCard() + "'"
                                  : "mount.exfat-fuse '" + loopDevice + "' '" + onCard() + "'";
        int status = -1;
        const QByteArray said = shell("(" + mount + ") 2>&1", &status);
        mounted = status == 0;
        if (!mounted)
            GTEST_SKIP() << GetParam() << " card not mounted: " << said.toStdString();
    }

    void TearDown() override
    {
        if (mounted)
            shell(QStringLiteral("umount '%1'").arg(onCard()));
        if (!loopDevice.isEmpty())
            shell(QStringLiteral("losetup -d '%1'").arg(loopDevice));
    }

    // A file on the card; with no name, the card's root, ending in "/".
    QString onCard(const QString &name = {}) const { return dir.file("card/" + name); }

    QString loopDevice;
    bool mounted = false;
};

} // namespace

TEST_P(MemoryCardTest, renamesAndCopies_neverReplace_caseOnlyGoesAhead_andNamesFatCannotHoldAreNeverTried)
{
    EXPECT_TRUE(FolderExists(onCard())) << "the root of an empty card lists nothing, yet it is there";
    dir.writeNamed("card", {"a.jpg", "c.jpg"});
    EXPECT_FALSE(moveFile(onCard("a.jpg"), onCard("b.jpg")).failed());
    EXPECT_EQ(moveFile(onCard("b.jpg"), onCard("c.jpg")).code, FileAlreadyExists);
    EXPECT_EQ(readAll(onCard("c.jpg")), "c.jpg");
    EXPECT_FALSE(moveFile(onCard("b.jpg"), onCard("B.jpg")).failed()) << "case only";
    EXPECT_EQ(snapshot(onCard()).keys(), QStringList({"B.jpg", "c.jpg"}));
    EXPECT_EQ(moveFile(onCard("B.jpg"), onCard("C.JPG")).code, FileAlreadyExists) << "another file, case aside";

    for (const QString name : {"x:b.jpg", "q?.jpg", "a\\b.jpg", "trailing.", "trailing ", "tab\tb.jpg"}) {
        SCOPED_TRACE(name.toStdString());
        const FileError refused = moveFile(onCard("B.jpg"), onCard(name));
        EXPECT_TRUE(refused.nameNotHeld);
        EXPECT_EQ(refused.code, PathFileAccessError);
        EXPECT_EQ(readAll(onCard("B.jpg")), "a.jpg");
    }

    EXPECT_FALSE(copyFile(onCard("B.jpg"), onCard("copy.jpg")).failed()) << "a mode FAT cannot keep is no failure";
    EXPECT_EQ(readAll(onCard("copy.jpg")), "a.jpg");
    EXPECT_EQ(copyFile(onCard("B.jpg"), onCard("COPY.jpg")).code, FileAlreadyExists);
    QFile::link(dir.file("elsewhere.jpg"), dir.file("link.jpg"));
    EXPECT_EQ(copyFile(dir.file("link.jpg"), onCard("link.jpg")).code, PathFileAccessError);

    EXPECT_EQ(removeDuplicate(onCard("b.jpg"), onCard("B.jpg")).code, FileAlreadyExists)
        << "one file under two spellings is no duplicate";
    EXPECT_EQ(snapshot(onCard()).keys(), QStringList({"B.jpg", "c.jpg", "copy.jpg"})) << "no temporary copy is left";
}

// The record states on the card are read and written as written: a copy
// run's restore keeps its copies, even after a later run moved its log aside,
// and a record passed over is no failure.
TEST_P(MemoryCardTest, copyMoveAndInPlaceRuns_onTheCardsRoot_restoreEveryFile)
{
    makeFiles({"a.jpg", "b.jpg"});
    const auto before = snapshot(src());
    sendInto(onCard(), true);
    RunReport report = run();
    EXPECT_EQ(std::tuple(report.ending, counts(report)), std::tuple(RunReport::Ending::Completed, Counts(2, 0, 0)));

    host.job.CopyToDestination = false;
    sendInto(onCard(), false);
    host.job.AddText = "m";
    dir.write("card/m001a.jpg", "taken");
    report = run();
    EXPECT_EQ(counts(report), Counts(1, 1, 0));
    EXPECT_EQ(readAll(onCard("m002b.jpg")), "b.jpg");
    EXPECT_TRUE(restore(report.logPath).everyFileRestored());
    EXPECT_EQ(snapshot(src()), before);
    const QStringList dated = QDir(onCard("Restore")).entryList({"RestoreJPG-*.log"});
    ASSERT_EQ(dated.size(), 1);
    EXPECT_TRUE(restore(onCard("Restore/") + dated.first()).onlyCopies);
    EXPECT_EQ(readAll(onCard("p001a.jpg")), "a.jpg");
    EXPECT_EQ(readAll(onCard("p002b.jpg")), "b.jpg");
    QFile::remove(onCard("m001a.jpg"));

    host.job.MoveToDestination = false;
    host.job.SourceFolder = onCard();
    host.job.AddText = "x:";
    const auto onCardBefore = snapshot(onCard());
    EXPECT_EQ(previewCounts(), Counts(0, 0, 2)) << "the preview knows what the card cannot hold";
    report = run();
    EXPECT_EQ(std::tuple(report.ending, counts(report)), std::tuple(RunReport::Ending::Completed, Counts(0, 0, 2)));
    EXPECT_EQ(snapshot(onCard()), onCardBefore);

    host.job.AddText = "q";
    EXPECT_TRUE(run().everyFileHandled());
    EXPECT_TRUE(exists(onCard("q001p001a.jpg")));
    EXPECT_TRUE(restore(logPath()).everyFileRestored());
    EXPECT_EQ(snapshot(onCard()), onCardBefore);
}

// A change of case goes through a hidden name (the card's file system hangs
// on a direct one). Restored whole, after a kill, and with a file left under
// the hidden name, every file is back with no failure reported.
TEST_P(MemoryCardTest, caseOnlyRuns_restoreEveryFile_evenAfterAKill)
{
    dir.writeNamed("card", {"img1.jpg", "img2.jpg", "img3.jpg"});
    const auto before = snapshot(onCard());
    host.job.SourceFolder = host.job.DestinationFolder = onCard();
    replaceInNames("img", "IMG");
    for (const qsizetype carriedOut : {qsizetype(3), qsizetype(1), qsizetype(0)}) {
        SCOPED_TRACE(carriedOut);
        const RunReport report = run();
        EXPECT_EQ(report.done, 3);
        EXPECT_EQ(names(onCard()), QStringList({"IMG1.jpg", "IMG2.jpg", "IMG3.jpg"}));
        asKilledAfter(report.logPath, carriedOut);
        if (carriedOut == 0) {
            ASSERT_TRUE(QFile::rename(onCard("img2.jpg"), QString::fromUtf8(caseRenameTemporary(onCard("img2.jpg").toUtf8()))));
        }
        EXPECT_TRUE(restore(report.logPath).everyFileRestored());
        EXPECT_EQ(snapshot(onCard()), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, MemoryCardTest, ::testing::Values("FAT", "exFAT"),
                         [](const auto &info) { return info.param; });

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <atomic>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include <functional>

using namespace quorin;
using namespace quorin::test;

namespace {

QStringList listNames(const QString &folder, AttributeMask mask)
{
    QStringList names;
    FolderListing listing(folder, mask);
    FolderEntry entry;
    while (listing.next(entry))
        names << entry.name + (entry.isFolder ? "/" : QString());
    names.sort();
    return names;
}

} // namespace

TEST(NeverReplace, renameOrCopyOntoTakenName_failsWith58_andKeepsBothFiles)
{
    for (const auto operation : {moveFile, copyFile}) {
        TempFolder dir;
        dir.write("a.txt", "old");
        dir.write("b.txt", "taken");
        EXPECT_EQ(operation(dir.file("a.txt"), dir.file("b.txt")).code, FileAlreadyExists);
        EXPECT_EQ(readAll(dir.file("a.txt")), "old");
        EXPECT_EQ(readAll(dir.file("b.txt")), "taken");
    }
}

TEST(NeverReplace, moveAcrossFileSystemsOntoTakenName_failsWith58)
{
    TempFolder dir;
    QTemporaryDir other("/dev/shm/quorin-test-XXXXXX");
    struct stat here, there;
    if (!other.isValid() || stat(dir.path().toUtf8(), &here) || stat(other.path().toUtf8(), &there)
        || here.st_dev == there.st_dev)
        GTEST_SKIP() << "needs /dev/shm on a file system of its own";
    dir.write("a.txt", "moved");
    const QString target = other.path() + "/b.txt";
    ASSERT_FALSE(moveFile(dir.file("a.txt"), target).failed());
    EXPECT_EQ(readAll(target), "moved");
    EXPECT_FALSE(exists(dir.file("a.txt")));
    dir.write("c.txt", "other");
    EXPECT_EQ(moveFile(dir.file("c.txt"), target).code, FileAlreadyExists);
    EXPECT_EQ(readAll(target), "moved");
    EXPECT_EQ(readAll(dir.file("c.txt")), "other");
}

TEST(FileFailures, missingFileAndMissingFolder_getTheirOwnCodes)
{
    TempFolder dir;
    dir.write("a.txt");
    EXPECT_EQ(moveFile(dir.file("gone.txt"), dir.file("x.txt")).code, FileNotFound);
    EXPECT_EQ(moveFile(dir.file("a.txt"), dir.file("no/x.txt")).code, PathNotFound);
    EXPECT_EQ(deleteFile(dir.file("gone.txt")).code, FileNotFound);
    EXPECT_EQ(createFolder(dir.file("no/deeper")).code, PathNotFound);
    dir.makeFolder("Restore");
    dir.write("Restore/keep.log");
    EXPECT_EQ(createFolder(dir.file("Restore")).code, PathFileAccessError);
    EXPECT_EQ(removeFolder(dir.file("Restore")).code, PathFileAccessError);
}

TEST(FileFailures, immutableFolder_refusesRenameAndCopyWith75)
{
    TempFolder dir;
    dir.write("locked/a.txt", "kept");
    if (!dir.setImmutable("locked"))
        GTEST_SKIP() << "chattr +i needs root on a file system that supports it";
    EXPECT_EQ(moveFile(dir.file("locked/a.txt"), dir.file("locked/b.txt")).code,
              PathFileAccessError);
    EXPECT_EQ(copyFile(dir.file("locked/a.txt"), dir.file("locked/b.txt")).code,
              PathFileAccessError);
    EXPECT_EQ(readAll(dir.file("locked/a.txt")), "kept");
}

TEST(FileFailures, otherErrors_neverTakeOneOfTheProgramsCodes)
{
    for (int err = 1; err < 134; ++err) {
        const FileError e = FileError::fromErrno(err, FileTarget::File);
        if (e.code >= OtherErrorBase)
            EXPECT_FALSE(e.description.isEmpty()) << err;
        else
            EXPECT_TRUE(e.code == 53 || e.code == 58 || e.code == 75 || e.code == 76) << err;
    }
}

TEST(Copy, keepsModeTimeAndLinks)
{
    TempFolder dir;
    dir.write("script.sh", "#!/bin/sh\n");
    chmod(dir.file("script.sh").toUtf8(), 0751);
    shell(QStringLiteral("touch -d '2001-02-03 04:05:06' '%1'").arg(dir.file("script.sh")));
    ASSERT_FALSE(copyFile(dir.file("script.sh"), dir.file("copy.sh")).failed());
    struct stat from, to;
    stat(dir.file("script.sh").toUtf8(), &from);
    stat(dir.file("copy.sh").toUtf8(), &to);
    EXPECT_EQ(to.st_mode & 07777, 0751u);
    EXPECT_EQ(to.st_mtim.tv_sec, from.st_mtim.tv_sec);
    EXPECT_EQ(readAll(dir.file("copy.sh")), "#!/bin/sh\n");

    shell(QStringLiteral("ln -s script.sh '%1'").arg(dir.file("link")));
    ASSERT_FALSE(copyFile(dir.file("link"), dir.file("link2")).failed());
    EXPECT_EQ(QFileInfo(dir.file("link2")).symLinkTarget(), dir.file("script.sh"));
}

TEST(Copy, ontoFullDisk_leavesNoPartialTarget)
{
    TempFolder dir;
    dir.makeFolder("small");
    int status = -1;
    shell(QStringLiteral("mount -t tmpfs -o size=64k tmpfs '%1' 2>/dev/null").arg(dir.file("small")),
          &status);
    if (status != 0)
        GTEST_SKIP() << "mounting a small tmpfs is not allowed here";
    dir.write("big.bin", QByteArray(512 * 1024, 'x'));
    const FileError e = copyFile(dir.file("big.bin"), dir.file("small/big.bin"));
    EXPECT_GE(e.code, int(OtherErrorBase));
    EXPECT_EQ(listNames(dir.file("small"), HiddenIncluded), QStringList({"../", "./"})) << "nor a temporary one";
    shell(QStringLiteral("umount '%1'").arg(dir.file("small")));
}

TEST(Listing, hiddenEntriesOnlyWithTheirMask_andLinksAreFiles)
{
    TempFolder dir;
    dir.write("a.jpg");
    dir.write(".hidden.jpg");
    dir.makeFolder(".secret");
    dir.makeFolder("sub");
    shell(QStringLiteral("ln -s sub '%1'").arg(dir.file("loop")));
    EXPECT_EQ(listNames(dir.path(), HiddenExcluded),
              QStringList({"../", "./", "a.jpg",
                           "loop", "sub/"}));
    EXPECT_EQ(listNames(dir.path(), HiddenIncluded).size(), 7);
    EXPECT_TRUE(isFolder(dir.file("sub")));
    EXPECT_FALSE(isFolder(dir.file("loop")));
}

TEST(Copy, targetNameOnlyEverHoldsTheWholeFile)
{
    TempFolder dir;
    constexpr qint64 Size = 32 << 20;
    dir.write("big.bin", QByteArray(Size, 'x'));
    const QByteArray target = dir.file("copy.bin").toUtf8();
    std::atomic<bool> copying{true};
    std::atomic<qint64> partial{-1};
    std::thread watcher([&] {
        struct stat info;
        while (copying)
            if (lstat(target.constData(), &info) == 0 && info.st_size != Size)
                partial = info.st_size;
    });
    const FileError copied = copyFile(dir.file("big.bin"), dir.file("copy.bin"));
    copying = false;
    watcher.join();
    EXPECT_FALSE(copied.failed());
    EXPECT_EQ(partial, -1) << "the target's name held part of the file";
    EXPECT_EQ(listNames(dir.path(), HiddenIncluded), QStringList({"../", "./", "big.bin", "copy.bin"}));
}

TEST(Duplicates, onlyAnotherFileWithTheSameBytesIsRemoved)
{
    struct Case {
        const char *why;
        std::function<void(const TempFolder &)> make;
        bool removed;
    };
    const QByteArray bytes(200 * 1024, 'x');
    QByteArray changedAtEnd = bytes;
    changedAtEnd.back() = 'y';
    const Case cases[] = {
        {"same bytes", [&](const TempFolder &d) { d.write("new/f", bytes); }, true},
        {"same length, one byte differs", [&](const TempFolder &d) { d.write("new/f", changedAtEnd); }, false},
        {"shorter", [&](const TempFolder &d) { d.write("new/f", bytes.left(100)); }, false},
        {"one file under two names",
         [](const TempFolder &d) { link(d.file("old/f").toUtf8(), d.file("new/f").toUtf8()); }, false},
        {"a link and the file it points to",
         [](const TempFolder &d) { QFile::link(d.file("old/f"), d.file("new/f")); }, false},
        {"the duplicate is gone", [](const TempFolder &) {}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        TempFolder dir;
        dir.write("old/f", bytes);
        dir.makeFolder("new");
        c.make(dir);
        const bool made = exists(dir.file("new/f"));
        const FileError result = removeDuplicate(dir.file("new/f"), dir.file("old/f"));
        EXPECT_EQ(result.code, c.removed ? NoError : FileAlreadyExists);
        EXPECT_EQ(exists(dir.file("new/f")), made && !c.removed);
        EXPECT_EQ(readAll(dir.file("old/f")), bytes);
    }

    TempFolder links;
    links.makeFolder("old");
    links.makeFolder("new");
    QFile::link("target", links.file("old/l"));
    QFile::link("target", links.file("new/l"));
    EXPECT_FALSE(removeDuplicate(links.file("new/l"), links.file("old/l")).failed()) << "two links to one place";
    EXPECT_FALSE(exists(links.file("new/l")));
    EXPECT_TRUE(exists(links.file("old/l")));
}

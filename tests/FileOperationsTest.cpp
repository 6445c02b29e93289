// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include "platform/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace quorin;
using namespace quorin::test;

// A move to another file system copies and deletes, on a path of its own.
TEST(NeverReplace, moveOrCopyOntoTakenName_failsWith58_andKeepsBothFiles_alsoOnAnotherFileSystem)
{
    TempFolder dir;
    dir.write("b.txt", "taken");
    QTemporaryDir other("/dev/shm/quorin-test-XXXXXX");
    QStringList targets{dir.file("b.txt")};
    if (other.isValid() && QFile::copy(dir.file("b.txt"), other.filePath("b.txt")))
        targets << other.filePath("b.txt");
    for (const QString &target : targets) {
        using Operation = FileError (*)(const QString &, const QString &);
        const Operation move = [](const QString &from, const QString &to) { return moveFile(from, to); };
        for (const Operation operation : {move, Operation(copyFile)}) {
            SCOPED_TRACE(target.toStdString());
            dir.write("a.txt", "old");
            EXPECT_EQ(operation(dir.file("a.txt"), target).code, FileAlreadyExists);
            EXPECT_EQ(readAll(dir.file("a.txt")), "old");
            EXPECT_EQ(readAll(target), "taken");
        }
    }
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
    EXPECT_EQ(moveFile(dir.file("locked/a.txt"), dir.file("locked/b.txt")).code, PathFileAccessError);
    EXPECT_EQ(copyFile(dir.file("locked/a.txt"), dir.file("locked/b.txt")).code, PathFileAccessError);
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
    EXPECT_EQ(FileError::fromErrno(ENOSPC, FileTarget::File).description, "磁盘空间不足") << "said in Chinese";
}

TEST(Copy, keepsModeTimeAndLinks_andALinkToAFolderIsAFile)
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
    // A link to a folder is a file, never walked into.
    dir.makeFolder("sub");
    shell(QStringLiteral("ln -s sub '%1'").arg(dir.file("loop")));
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
    // A raw listing: the program's own hides its temporary files.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList({"big.bin", "copy.bin"}));
}

TEST(Duplicates, onlyAnotherFileWithTheSameBytesIsRemoved)
{
    const QByteArray bytes(200 * 1024, 'x');
    QByteArray changedAtEnd = bytes;
    changedAtEnd.back() = 'y';
    const struct {
        const char *why;
        std::function<void(const TempFolder &)> make;
        bool removed;
    } cases[] = {
        {"same bytes", [&](const TempFolder &d) { d.write("new/f", bytes); }, true},
        {"same length, one byte differs", [&](const TempFolder &d) { d.write("new/f", changedAtEnd); }, false},
        {"shorter", [&](const TempFolder &d) { d.write("new/f", bytes.left(100)); }, false},
        {"one file under two names",
         [](const TempFolder &d) { link(d.file("old/f").toUtf8(), d.file("new/f").toUtf8()); }, false},
        {"a link and the file it points to",
         [](const TempFolder &d) { QFile::link(d.file("old/f"), d.file("new/f")); }, false},
        {"the duplicate is gone", [](const TempFolder &) {}, false},
        {"two links to one place",
         [](const TempFolder &d) {
             QFile::remove(d.file("old/f"));
             QFile::link("target", d.file("old/f"));
             QFile::link("target", d.file("new/f"));
         },
         true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        TempFolder dir;
        dir.write("old/f", bytes);
        dir.makeFolder("new");
        c.make(dir);
        const bool made = exists(dir.file("new/f"));
        const QByteArray old = readAll(dir.file("old/f"));
        const FileError result = removeDuplicate(dir.file("new/f"), dir.file("old/f"));
        EXPECT_EQ(result.code, c.removed ? NoError : FileAlreadyExists);
        EXPECT_EQ(exists(dir.file("new/f")), made && !c.removed);
        EXPECT_TRUE(exists(dir.file("old/f")));
        EXPECT_EQ(readAll(dir.file("old/f")), old);
    }
}

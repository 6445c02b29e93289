// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"
#include "TreeSnapshot.h"

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

// A failed call changes nothing: a rename or copy never replaces a file, also
// on another file system, where a move copies and deletes on a path of its own;
// only another file with the same bytes, or a second link to one place, is
// removed as a duplicate, the original kept.
TEST(FileFailures, takenNamesMissingPathsImmutableFoldersAndFalseDuplicates_getTheirOwnCodes_andOnlyTrueDuplicatesGo)
{
    TempFolder dir;
    dir.writeNamed(".", {"a.txt", "b.txt", "full/keep.log", "locked/a.txt"});
    const QByteArray bytes(200 * 1024, 'x');
    dir.write("dup/f", bytes);
    dir.write("dup/changed", bytes.chopped(1) + 'y');
    dir.write("dup/short", bytes.left(100));
    link(dir.file("dup/f").toUtf8(), dir.file("dup/hard").toUtf8());
    QFile::link(dir.file("dup/f"), dir.file("dup/link"));
    QFile::link("target", dir.file("dup/to"));
    QTemporaryDir other("/dev/shm/quorin-test-XXXXXX");
    const QString elsewhere = other.filePath("b.txt");
    const bool otherSystem = other.isValid() && QFile::copy(dir.file("b.txt"), elsewhere);
    // chattr +i needs root on a file system that supports it.
    const bool immutable = dir.setImmutable("locked");
    const auto at = [&](const char *relative) { return dir.file(relative); };
    const struct { const char *what; std::function<FileError()> call; int code; bool possible = true; } cases[] = {
        {"move onto a taken name", [&] { return moveFile(at("a.txt"), at("b.txt")); }, FileAlreadyExists},
        {"copy onto a taken name", [&] { return copyFile(at("a.txt"), at("b.txt")); }, FileAlreadyExists},
        {"move elsewhere", [&] { return moveFile(at("a.txt"), elsewhere); }, FileAlreadyExists, otherSystem},
        {"copy elsewhere", [&] { return copyFile(at("a.txt"), elsewhere); }, FileAlreadyExists, otherSystem},
        {"missing file", [&] { return moveFile(at("gone.txt"), at("x.txt")); }, FileNotFound},
        {"missing folder", [&] { return moveFile(at("a.txt"), at("no/x.txt")); }, PathNotFound},
        {"missing file deleted", [&] { return deleteFile(at("gone.txt")); }, FileNotFound},
        {"folder in a missing folder", [&] { return createFolder(at("no/deeper")); }, PathNotFound},
        {"folder that is there", [&] { return createFolder(at("full")); }, PathFileAccessError},
        {"folder that holds a file", [&] { return removeFolder(at("full")); }, PathFileAccessError},
        {"last byte differs", [&] { return removeDuplicate(at("dup/changed"), at("dup/f")); }, FileAlreadyExists},
        {"shorter", [&] { return removeDuplicate(at("dup/short"), at("dup/f")); }, FileAlreadyExists},
        {"one file under two names", [&] { return removeDuplicate(at("dup/hard"), at("dup/f")); }, FileAlreadyExists},
        {"a link to the file", [&] { return removeDuplicate(at("dup/link"), at("dup/f")); }, FileAlreadyExists},
        {"the duplicate is gone", [&] { return removeDuplicate(at("dup/gone"), at("dup/f")); }, FileAlreadyExists},
        {"rename in an immutable folder", [&] { return moveFile(at("locked/a.txt"), at("locked/b.txt")); },
         PathFileAccessError, immutable},
        {"copy in an immutable folder", [&] { return copyFile(at("locked/a.txt"), at("locked/b.txt")); },
         PathFileAccessError, immutable},
    };
    const auto before = snapshot(dir.path());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.possible)
            continue;
        EXPECT_EQ(c.call().code, c.code);
        EXPECT_EQ(snapshot(dir.path()), before);
    }
    EXPECT_EQ(readAll(elsewhere), otherSystem ? "b.txt" : "");
    dir.write("dup/same", bytes);
    QFile::link("target", dir.file("dup/alsoTo"));
    EXPECT_EQ(removeDuplicate(at("dup/same"), at("dup/f")).code, NoError);
    EXPECT_EQ(removeDuplicate(at("dup/alsoTo"), at("dup/to")).code, NoError);
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST(FileFailures, otherErrors_neverTakeOneOfTheProgramsCodes)
{
    for (int err = 1; err < 134; ++err) {
        const FileError e = FileError::fromErrno(err, FileTarget::File);
        const bool ours = QList{53, 58, 75, 76}.contains(e.code);
        EXPECT_TRUE(e.code >= OtherErrorBase ? !e.description.isEmpty() : ours) << err;
    }
    EXPECT_EQ(FileError::fromErrno(ENOSPC, FileTarget::File).description, "磁盘空间不足") << "said in Chinese";
}

// A link is copied as a link, and a link to a folder is a file, never walked into.
TEST(Copy, targetNameOnlyEverHoldsTheWholeFile_withItsModeAndTime_andLinksStayLinks)
{
    TempFolder dir;
    constexpr qint64 Size = 32 << 20;
    dir.write("big.bin", QByteArray(Size, 'x'));
    shell(QStringLiteral("cd '%1' && chmod 751 big.bin && touch -d @981173106 big.bin && ln -s big.bin link"
                         " && mkdir sub && ln -s sub loop")
              .arg(dir.path()));
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
    EXPECT_EQ(readAll(dir.file("copy.bin")), readAll(dir.file("big.bin")));
    EXPECT_EQ(shell(QStringLiteral("stat -c '%a %Y' '%1'").arg(dir.file("copy.bin"))), "751 981173106\n");

    ASSERT_FALSE(copyFile(dir.file("link"), dir.file("link2")).failed());
    EXPECT_EQ(QFileInfo(dir.file("link2")).symLinkTarget(), dir.file("big.bin"));
    EXPECT_TRUE(isFolder(dir.file("sub")) && !isFolder(dir.file("loop")));
    // A raw listing: the program's own hides its temporary files.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList({"big.bin", "copy.bin", "link", "link2", "loop", "sub"}));
}

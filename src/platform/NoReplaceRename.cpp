// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "NoReplaceRename.h"

#include "FileOperations.h"
#include "FolderListing.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorin {
namespace {

// Returned by the link fallback where the file system has no hard links.
constexpr int NoHardLinks = -2;

QByteArrayView nameOf(QByteArrayView path) { return path.sliced(path.lastIndexOf('/') + 1); }

// Where the file system does not know the no-replace flag, a hard link gives the
// same guarantee: link() never replaces an existing name.
int renameByLink(const char *from, const char *to)
{
    if (link(from, to) != 0)
        return errno == EPERM || errno == ENOSYS || errno == EOPNOTSUPP ? NoHardLinks : errno;
    if (unlink(from) != 0) {
        const int err = errno;
        unlink(to);
        return err;
    }
    return 0;
}

int plainRename(const char *from, const char *to) { return std::rename(from, to) == 0 ? 0 : errno; }

// FAT and exFAT through FUSE know neither the flag nor hard links. There the
// target is checked to be absent just before a plain rename, the one place a
// rename that could replace a file is used.
int renameAfterCheck(const char *from, const char *to)
{
    if (!fatCanHold(nameOf(to)))
        return NameNotHeld;
    struct stat info;
    if (lstat(to, &info) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return plainRename(from, to);
}

bool listingHolds(QByteArrayView folder, QByteArrayView name)
{
    DIR *dir = opendir(folder.toByteArray().constData());
    if (!dir)
        return true;
    bool found = false;
    while (const dirent *entry = readdir(dir))
        if ((found = name == QByteArrayView(entry->d_name)))
            break;
    closedir(dir);
    return found;
}

// On a file system that ignores case, a lookup of B.JPG finds b.jpg, and inode
// numbers are no guide there. A target that its folder does not list under
// exactly its own name is the file being renamed, seen without regard to case.
bool isCaseOnlyRename(const char *from, const char *to)
{
    const QByteArrayView target(to);
    return sameNameIgnoringCase(QByteArrayView(from), target) && !listingHolds(folderOf(target), nameOf(target));
}

// FAT through FUSE hangs for ever on a rename that changes only case; through a
// hidden name in between it does not. The hidden name is checked to be free,
// since a plain rename would replace it.
int renameCaseThroughHiddenName(const char *from, const char *to)
{
    const QByteArray hidden = caseRenameTemporary(to);
    struct stat info;
    if (lstat(hidden.constData(), &info) == 0)
        return EEXIST;
    if (const int err = plainRename(from, hidden.constData()))
        return err;
    const int err = plainRename(hidden.constData(), to);
    if (err)
        plainRename(hidden.constData(), from);
    return err;
}

} // namespace

bool fatCanHold(QByteArrayView name)
{
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || QByteArrayView(R"("*:<>?\|)").contains(c))
            return false;
    return !name.endsWith('.') && !name.endsWith(' ');
}

QByteArrayView folderOf(QByteArrayView path)
{
    return path.first(qMax(path.lastIndexOf('/'), qsizetype(1)));
}

bool sameNameIgnoringCase(QByteArrayView first, QByteArrayView second)
{
    return folderOf(first) == folderOf(second)
           && nameFromBytes(nameOf(first)).compare(nameFromBytes(nameOf(second)), Qt::CaseInsensitive) == 0;
}

bool isListedUnderItsName(QByteArrayView path)
{
    return listingHolds(folderOf(path), nameOf(path));
}

QByteArray caseRenameTemporary(QByteArrayView path)
{
    const QByteArray folded = nameFromBytes(path).toCaseFolded().toUtf8();
    QByteArray hidden = folderOf(path).toByteArray();
    if (!hidden.endsWith('/'))
        hidden += '/';
    return hidden + temporaryNameFrom(QCryptographicHash::hash(folded, QCryptographicHash::Sha256)).toLatin1();
}

int renameWithoutReplacing(const char *from, const char *to)
{
    int err = 0;
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) != 0)
        err = errno;
    if (err == EINVAL || err == ENOSYS)
        err = renameByLink(from, to);
    if (err == NoHardLinks)
        err = renameAfterCheck(from, to);
    if (err == EEXIST && isCaseOnlyRename(from, to))
        err = renameCaseThroughHiddenName(from, to);
    return err;
}

} // namespace quorin

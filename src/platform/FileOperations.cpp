// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FileOperations.h"

#include "FileCopy.h"
#include "NoReplaceRename.h"
#include "SameBytes.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace quorin {
namespace {

QByteArray native(const QString &path) { return path.toUtf8(); }

bool parentExists(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0)
        return true;
    struct stat info;
    return stat(path.left(slash).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

FileError fileCallFailure(int err, std::initializer_list<const QByteArray *> paths)
{
    if (err == NameNotHeld)
        return FileError::nameNotHeldByTarget();
    bool folderMissing = false;
    if (err == ENOENT)
        for (const QByteArray *path : paths)
            folderMissing = folderMissing || !parentExists(*path);
    return FileError::fromErrno(err, FileTarget::File, folderMissing);
}

namespace {

int syncFolderEntries(const char *folderPath)
{
    const int folder = open(folderPath, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return errno;
    const int err = fsync(folder) == 0 ? 0 : errno;
    close(folder);
    return err;
}

int syncParentOf(const QByteArray &path)
{
    return syncFolderEntries(folderOf(path).toByteArray().constData());
}

// The copy, its data and its name are on the disk before the original goes.
int moveAcross(const QByteArray &source, const QByteArray &target, const std::function<void()> &copyWhole)
{
    // A copy that fails leaves no target of its own, and any other file there is not ours.
    if (const int err = copyIntoPlace(source, target, true, copyWhole))
        return err;
    int err = syncParentOf(target);
    if (!err && unlink(source.constData()) != 0)
        err = errno;
    if (err)
        unlink(target.constData());
    return err;
}

// A link cannot be opened to be synced; its folder entry is what holds it.
int syncFileAndFolder(const QByteArray &path)
{
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0 && errno != ELOOP)
        return errno;
    const int err = fd >= 0 && fsync(fd) != 0 ? errno : 0;
    if (fd >= 0)
        close(fd);
    return err ? err : syncParentOf(path);
}

} // namespace

QDateTime modifiedAt(const QString &path)
{
    struct stat info;
    if (lstat(native(path).constData(), &info) != 0)
        return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000);
}

FileIdentity identityOf(const QString &path)
{
    struct stat info;
    if (stat(native(path).constData(), &info) != 0)
        return {};
    return {quint64(info.st_dev), quint64(info.st_ino), true};
}

namespace {
constexpr QLatin1StringView TemporaryPrefix(".quorin-");
constexpr qsizetype TemporaryLetters = 6;
constexpr char TemporaryAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
} // namespace

QString temporaryName()
{
    QString name = TemporaryPrefix;
    for (qsizetype i = 0; i < TemporaryLetters; ++i)
        name += QLatin1Char(TemporaryAlphabet[QRandomGenerator::global()->bounded(int(sizeof TemporaryAlphabet - 1))]);
    return name;
}

QString temporaryNameFrom(QByteArrayView digest)
{
    QString name = TemporaryPrefix;
    for (qsizetype i = 0; i < TemporaryLetters; ++i)
        name += QLatin1Char(TemporaryAlphabet[quint8(digest[i]) % (sizeof TemporaryAlphabet - 1)]);
    return name;
}

bool isTemporaryName(QByteArrayView name)
{
    if (name.size() != TemporaryPrefix.size() + TemporaryLetters || !name.startsWith(TemporaryPrefix))
        return false;
    for (const char c : name.sliced(TemporaryPrefix.size()))
        if (c == '\0' || !std::strchr(TemporaryAlphabet, c))
            return false;
    return true;
}

bool isFolder(const QString &path)
{
    struct stat info;
    return lstat(native(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool folderExists(const QString &path)
{
    struct stat info;
    return stat(native(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool pathExists(const QString &path)
{
    struct stat info;
    return lstat(native(path).constData(), &info) == 0;
}

bool nameNotHeldAt(const QString &path)
{
    constexpr decltype(statfs::f_type) Fat = 0x4d44, ExFat = 0x2011BAB0;
    const QByteArray target = native(path);
    struct statfs info;
    if (fatCanHold(QByteArrayView(target).sliced(target.lastIndexOf('/') + 1))
        || statfs(folderOf(target).toByteArray().constData(), &info) != 0)
        return false;
    return info.f_type == Fat || info.f_type == ExFat || isOnFuse(path.left(path.lastIndexOf(u'/') + 1));
}

bool tooLong(const QString &path)
{
    const QByteArray target = native(path);
    return target.size() >= PATH_MAX || target.size() - target.lastIndexOf('/') - 1 > NAME_MAX;
}

bool isOnFuse(const QString &path)
{
    constexpr decltype(statfs::f_type) FuseMagic = 0x65735546;
    struct statfs info;
    return statfs(native(path).constData(), &info) == 0 && info.f_type == FuseMagic;
}

FileError createFolder(const QString &path)
{
    if (mkdir(native(path).constData(), 0777) == 0)
        return FileError::none();
    return FileError::fromErrno(errno, FileTarget::Folder, errno == ENOENT);
}

FileError syncFolder(const QString &path)
{
    return FileError::fromErrno(syncFolderEntries(native(path).constData()), FileTarget::Folder);
}

FileError removeFolder(const QString &path)
{
    if (rmdir(native(path).constData()) == 0)
        return FileError::none();
    return FileError::fromErrno(errno, FileTarget::Folder);
}

FileError deleteFile(const QString &path)
{
    const QByteArray file = native(path);
    if (unlink(file.constData()) == 0)
        return FileError::none();
    return fileCallFailure(errno, {&file});
}

FileError moveFile(const QString &from, const QString &to, const std::function<void()> &copyWhole)
{
    const QByteArray source = native(from), target = native(to);
    int err = renameWithoutReplacing(source.constData(), target.constData());
    if (err == EXDEV)
        err = moveAcross(source, target, copyWhole);
    return err ? fileCallFailure(err, {&source, &target}) : FileError::none();
}

FileError copyFile(const QString &from, const QString &to)
{
    const QByteArray source = native(from), target = native(to);
    const int err = copyIntoPlace(source, target, false);
    return err ? fileCallFailure(err, {&source, &target}) : FileError::none();
}

// Reading the folder is the last resort, as it costs as much as the folder is
// large: where the other spelling is another file, or none, the name stands
// as spelled. FUSE gives no inode numbers to go by.
bool existsAsSpelled(const QString &path, const QString &otherSpelling)
{
    const QByteArray spelled = native(path), other = native(otherSpelling);
    struct stat self, another;
    if (lstat(spelled.constData(), &self) != 0)
        return false;
    if (spelled == other || !sameNameIgnoringCase(spelled, other) || lstat(other.constData(), &another) != 0)
        return true;
    const bool sameFile = self.st_dev == another.st_dev && self.st_ino == another.st_ino;
    return (!sameFile && !isOnFuse(path)) || isListedUnderItsName(spelled);
}

FileError finishCaseRename(const QString &path)
{
    const QByteArray target = native(path), hidden = caseRenameTemporary(target);
    const int err = renameWithoutReplacing(hidden.constData(), target.constData());
    return err ? fileCallFailure(err, {&target}) : FileError::none();
}

void removeAbandonedCopies(const QString &folder)
{
    QByteArray base = native(folder);
    if (!base.endsWith('/'))
        base += '/';
    QList<QByteArray> abandoned;
    if (DIR *dir = opendir(base.constData())) {
        while (const dirent *entry = readdir(dir))
            if (isTemporaryName(entry->d_name))
                abandoned << base + entry->d_name;
        closedir(dir);
    }
    for (const QByteArray &path : abandoned) {
        const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat opened, named;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
            && lstat(path.constData(), &named) == 0 && named.st_ino == opened.st_ino)
            unlink(path.constData());
        close(fd);
    }
}

// The original is made durable first: the duplicate may be the only copy that
// has reached the disk.
FileError removeDuplicate(const QString &duplicate, const QString &original)
{
    const QByteArray copy = native(duplicate), kept = native(original);
    if (!holdSameBytes(copy, kept))
        return FileError::withCode(FileAlreadyExists);
    int err = syncFileAndFolder(kept);
    if (!err && unlink(copy.constData()) != 0)
        err = errno;
    return err ? fileCallFailure(err, {&copy}) : FileError::none();
}

} // namespace quorin

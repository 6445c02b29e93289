// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FileOperations.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
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

FileError fileFailure(int err, std::initializer_list<const QByteArray *> paths)
{
    bool folderMissing = false;
    if (err == ENOENT)
        for (const QByteArray *path : paths)
            folderMissing = folderMissing || !parentExists(*path);
    return FileError::fromErrno(err, FileTarget::File, folderMissing);
}

// Where the file system does not know the no-replace flag, a hard link gives the
// same guarantee: link() never replaces an existing name.
int renameWithoutReplacing(const char *from, const char *to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (link(from, to) != 0)
        return errno;
    if (unlink(from) != 0) {
        const int err = errno;
        unlink(to);
        return err;
    }
    return 0;
}

int copyContent(int in, int out)
{
    bool plainCopy = false;
    char buffer[1 << 16];
    for (;;) {
        if (!plainCopy) {
            const ssize_t done = copy_file_range(in, nullptr, out, nullptr, size_t(SSIZE_MAX), 0);
            if (done > 0)
                continue;
            if (done == 0)
                return 0;
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
                return errno;
            plainCopy = true;
        }
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = write(out, buffer + written, size_t(got - written));
            if (put < 0 && errno != EINTR)
                return errno;
            written += put > 0 ? put : 0;
        }
    }
}

int copyLink(const char *from, const char *to, const struct stat &info)
{
    QByteArray target(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    const ssize_t length = readlink(from, target.data(), size_t(target.size()));
    if (length < 0)
        return errno;
    target.truncate(length);
    if (symlink(target.constData(), to) != 0)
        return errno;
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    utimensat(AT_FDCWD, to, times, AT_SYMLINK_NOFOLLOW);
    return 0;
}

// Only a regular file is copied: a pipe would block the copy for ever, and a
// device would be read as if it were the file's content.
int copyRegular(const char *from, const char *to, bool durable)
{
    const int in = open(from, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (in < 0)
        return errno;
    struct stat info;
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(in);
        return EPERM;
    }
    const int out = open(to, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
    if (out < 0) {
        const int err = errno;
        close(in);
        return err;
    }
    int err = copyContent(in, out);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    if (!err && (fchmod(out, info.st_mode & 07777) != 0 || futimens(out, times) != 0))
        err = errno;
    if (!err && durable && fsync(out) != 0)
        err = errno;
    if (close(out) != 0 && !err)
        err = errno;
    close(in);
    if (err)
        unlink(to);
    return err;
}

int copyWithoutReplacing(const char *from, const char *to, bool durable)
{
    struct stat info;
    if (lstat(from, &info) != 0)
        return errno;
    if (S_ISLNK(info.st_mode))
        return copyLink(from, to, info);
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    return copyRegular(from, to, durable);
}

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
    return syncFolderEntries(path.left(qMax(path.lastIndexOf('/'), qsizetype(1))).constData());
}

// The copy, its data and its name are on the disk before the original goes.
int moveAcross(const QByteArray &source, const QByteArray &target)
{
    // A copy that fails leaves no target of its own, and any other file there is not ours.
    if (const int err = copyWithoutReplacing(source.constData(), target.constData(), true))
        return err;
    int err = syncParentOf(target);
    if (!err && unlink(source.constData()) != 0)
        err = errno;
    if (err)
        unlink(target.constData());
    return err;
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
constexpr qsizetype TemporaryRandomLength = 8;
constexpr char TemporaryAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyz";
} // namespace

QString temporaryName()
{
    QString name = TemporaryPrefix;
    for (qsizetype i = 0; i < TemporaryRandomLength; ++i)
        name += QLatin1Char(TemporaryAlphabet[QRandomGenerator::global()->bounded(int(sizeof TemporaryAlphabet - 1))]);
    return name;
}

bool isTemporaryName(QStringView name)
{
    if (name.size() != TemporaryPrefix.size() + TemporaryRandomLength || !name.startsWith(TemporaryPrefix))
        return false;
    for (const QChar c : name.sliced(TemporaryPrefix.size()))
        if (!std::strchr(TemporaryAlphabet, c.toLatin1()) || c.unicode() > 0x7f || c.isNull())
            return false;
    return true;
}

bool sameContent(const QString &one, const QString &other)
{
    const int a = open(native(one).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    const int b = open(native(other).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    struct stat infoA, infoB;
    bool same = a >= 0 && b >= 0 && fstat(a, &infoA) == 0 && fstat(b, &infoB) == 0 && S_ISREG(infoA.st_mode)
                && S_ISREG(infoB.st_mode) && infoA.st_size == infoB.st_size;
    char blockA[1 << 15], blockB[1 << 15];
    for (ssize_t got = 1; same && got > 0;) {
        got = read(a, blockA, sizeof blockA);
        same = got >= 0 && read(b, blockB, size_t(got)) == got && std::memcmp(blockA, blockB, size_t(got)) == 0;
    }
    if (a >= 0)
        close(a);
    if (b >= 0)
        close(b);
    return same;
}

bool isFolder(const QString &path)
{
    struct stat info;
    return lstat(native(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool pathExists(const QString &path)
{
    struct stat info;
    return lstat(native(path).constData(), &info) == 0;
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
    return fileFailure(errno, {&file});
}

FileError moveFile(const QString &from, const QString &to)
{
    const QByteArray source = native(from), target = native(to);
    int err = renameWithoutReplacing(source.constData(), target.constData());
    if (err == EXDEV)
        err = moveAcross(source, target);
    return err ? fileFailure(err, {&source, &target}) : FileError::none();
}

FileError copyFile(const QString &from, const QString &to)
{
    const QByteArray source = native(from), target = native(to);
    const int err = copyWithoutReplacing(source.constData(), target.constData(), false);
    return err ? fileFailure(err, {&source, &target}) : FileError::none();
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FileCopy.h"

#include "FileOperations.h"

#include "NoReplaceRename.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorin {
namespace {

QByteArray temporaryBeside(const QByteArray &target)
{
    QByteArray path = folderOf(target).toByteArray();
    if (!path.endsWith('/'))
        path += '/';
    return path + temporaryName().toLatin1();
}

// Makes a new file system entry under a fresh temporary name; create answers
// an errno, EEXIST when the name was taken. temporary names the entry made,
// and nothing when none was.
template <typename Create>
int createTemporary(const QByteArray &target, QByteArray &temporary, Create create)
{
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        temporary = temporaryBeside(target);
        err = create(temporary.constData());
    }
    if (err)
        temporary.clear();
    return err;
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

// A file system that cannot keep a link refuses it like any other access.
int linkCopy(const char *from, const struct stat &info, QByteArray &temporary, const QByteArray &target)
{
    QByteArray pointsTo(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    const ssize_t length = readlink(from, pointsTo.data(), size_t(pointsTo.size()));
    if (length < 0)
        return errno;
    pointsTo.truncate(length);
    const int err = createTemporary(target, temporary, [&](const char *path) {
        return symlink(pointsTo.constData(), path) == 0 ? 0 : errno;
    });
    if (err)
        return err == ENOSYS || err == EOPNOTSUPP ? EPERM : err;
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    utimensat(AT_FDCWD, temporary.constData(), times, AT_SYMLINK_NOFOLLOW);
    return 0;
}

// Mode and times are kept where the file system can keep them (FAT has no
// modes); the content alone decides whether the copy counts.
int fillCopy(int in, int out, const struct stat &info, bool durable)
{
    int err = copyContent(in, out);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    if (!err) {
        fchmod(out, info.st_mode & 07777);
        futimens(out, times);
    }
    if (!err && durable && fsync(out) != 0)
        err = errno;
    return err;
}

// A restore that finds the hidden file unlocked may remove it between its
// creation and the lock; then another name is taken.
int createLocked(const char *path, const struct stat &info, int &out)
{
    out = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
    if (out < 0)
        return errno;
    // Where the file system keeps no locks, the file is simply not locked: a
    // restore removes only what it could lock itself.
    flock(out, LOCK_EX);
    struct stat opened, named;
    if (fstat(out, &opened) == 0 && lstat(path, &named) == 0
        && opened.st_ino == named.st_ino && opened.st_dev == named.st_dev)
        return 0;
    close(out);
    out = -1;
    return EEXIST;
}

// Only a regular file is copied: a pipe would block the copy for ever, and a
// device would be read as if it were the file's content.
int regularCopy(const char *from, QByteArray &temporary, const QByteArray &target, bool durable, int &out)
{
    const int in = open(from, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (in < 0)
        return errno;
    struct stat info;
    if (fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(in);
        return EPERM;
    }
    int err = createTemporary(target, temporary, [&](const char *path) { return createLocked(path, info, out); });
    if (!err)
        err = fillCopy(in, out, info, durable);
    close(in);
    return err;
}

} // namespace

int stageCopy(const QByteArray &from, const QByteArray &to, bool durable, StagedCopy &staged)
{
    struct stat info;
    if (lstat(from.constData(), &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    struct stat taken;
    if (lstat(to.constData(), &taken) == 0)
        return EEXIST;
    staged = {QByteArray(), to, -1, qint64(info.st_size)};
    const int err = S_ISLNK(info.st_mode) ? linkCopy(from.constData(), info, staged.temporary, to)
                                          : regularCopy(from.constData(), staged.temporary, to, durable, staged.fd);
    if (err) {
        if (!staged.temporary.isEmpty())
            unlink(staged.temporary.constData());
        if (staged.fd >= 0)
            close(staged.fd);
        staged = {};
    }
    return err;
}

int placeCopy(StagedCopy &staged)
{
    int err = renameWithoutReplacing(staged.temporary.constData(), staged.target.constData());
    if (err)
        unlink(staged.temporary.constData());
    if (staged.fd >= 0 && close(staged.fd) != 0 && !err)
        err = errno;
    staged = {};
    return err;
}

int copyIntoPlace(const QByteArray &from, const QByteArray &to, bool durable,
                  const std::function<void()> &beforePlacing)
{
    StagedCopy staged;
    if (const int err = stageCopy(from, to, durable, staged))
        return err;
    if (beforePlacing)
        beforePlacing();
    return placeCopy(staged);
}

} // namespace quorin

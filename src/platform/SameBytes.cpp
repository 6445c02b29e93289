// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "SameBytes.h"

#include "NoReplaceRename.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorin {
namespace {

constexpr qsizetype BlockSize = 1 << 16;

// Fills the block unless the file ends first; the length read, or -1.
qsizetype readBlock(int fd, char *block)
{
    qsizetype got = 0;
    while (got < BlockSize) {
        const ssize_t n = read(fd, block + got, size_t(BlockSize - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

bool sameContent(int first, int second)
{
    QByteArray a(BlockSize, Qt::Uninitialized), b(BlockSize, Qt::Uninitialized);
    for (;;) {
        const qsizetype gotA = readBlock(first, a.data()), gotB = readBlock(second, b.data());
        if (gotA < 0 || gotA != gotB || std::memcmp(a.constData(), b.constData(), size_t(gotA)) != 0)
            return false;
        if (gotA < BlockSize)
            return true;
    }
}

bool sameFiles(const QByteArray &first, const QByteArray &second)
{
    const int a = open(first.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    const int b = open(second.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    const bool same = a >= 0 && b >= 0 && sameContent(a, b);
    if (a >= 0)
        close(a);
    if (b >= 0)
        close(b);
    return same;
}

QByteArray linkTarget(const QByteArray &path, const struct stat &info)
{
    QByteArray target(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    const ssize_t length = readlink(path.constData(), target.data(), size_t(target.size()));
    if (length < 0 || length == target.size())
        return QByteArray();
    target.truncate(length);
    return target;
}

} // namespace

bool holdSameBytes(const QByteArray &first, const QByteArray &second)
{
    struct stat a, b;
    if (lstat(first.constData(), &a) != 0 || lstat(second.constData(), &b) != 0)
        return false;
    if ((a.st_dev == b.st_dev && a.st_ino == b.st_ino) || sameNameIgnoringCase(first, second))
        return false;
    if (S_ISREG(a.st_mode) && S_ISREG(b.st_mode))
        return a.st_size == b.st_size && sameFiles(first, second);
    if (S_ISLNK(a.st_mode) && S_ISLNK(b.st_mode)) {
        const QByteArray target = linkTarget(first, a);
        return !target.isEmpty() && target == linkTarget(second, b);
    }
    return false;
}

} // namespace quorin

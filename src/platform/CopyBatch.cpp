// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CopyBatch.h"

#include "FileOperations.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace quorin {
namespace {

constexpr std::size_t MostFiles = 1024;
constexpr qint64 MostBytes = qint64(64) << 20;

// Every staged copy holds its file open and locked until it is named. The
// batch grows as far as the process may open files, leaving room for the rest.
std::size_t filesAllowed()
{
    struct rlimit files;
    if (getrlimit(RLIMIT_NOFILE, &files) != 0)
        return 16;
    if (files.rlim_cur < 2 * MostFiles && files.rlim_max > files.rlim_cur) {
        files.rlim_cur = std::min<rlim_t>(files.rlim_max, 2 * MostFiles);
        setrlimit(RLIMIT_NOFILE, &files);
        getrlimit(RLIMIT_NOFILE, &files);
    }
    return std::clamp<std::size_t>(files.rlim_cur / 2, 16, MostFiles);
}

// One sync for the whole file system; where that is FUSE (a card), whose
// file systems may not pass it on, each copy is synced itself.
int syncAll(const std::vector<int> &files, const QString &folder)
{
    if (files.empty())
        return 0;
    if (!isOnFuse(folder))
        return syncfs(files.front()) == 0 ? 0 : errno;
    for (const int fd : files)
        if (fsync(fd) != 0)
            return errno;
    return 0;
}

} // namespace

CopyBatch::CopyBatch() : limit_(filesAllowed()) {}

CopyBatch::~CopyBatch()
{
    for (Staged &staged : staged_) {
        unlink(staged.copy.temporary.constData());
        if (staged.copy.fd >= 0)
            close(staged.copy.fd);
    }
}

FileError CopyBatch::add(const QString &from, const QString &to, qint64 record)
{
    const QByteArray source = from.toUtf8(), target = to.toUtf8();
    StagedCopy copy;
    if (const int err = stageCopy(source, target, false, copy))
        return fileCallFailure(err, {&source, &target});
    bytes_ += copy.size;
    staged_.push_back({copy, record});
    return FileError::none();
}

bool CopyBatch::full() const
{
    return staged_.size() >= limit_ || bytes_ >= MostBytes;
}

void CopyBatch::place(const std::function<void(qint64, const FileError &)> &placed)
{
    if (staged_.empty())
        return;
    std::vector<int> files;
    for (const Staged &staged : staged_)
        if (staged.copy.fd >= 0)
            files.push_back(staged.copy.fd);
    const int synced = syncAll(files, QString::fromUtf8(staged_.front().copy.temporary));
    for (Staged &staged : staged_) {
        const QByteArray target = staged.copy.target;
        int err = synced;
        if (err) {
            unlink(staged.copy.temporary.constData());
            close(staged.copy.fd);
        } else {
            err = placeCopy(staged.copy);
        }
        placed(staged.record, err ? fileCallFailure(err, {&target}) : FileError::none());
    }
    staged_.clear();
    bytes_ = 0;
}

} // namespace quorin

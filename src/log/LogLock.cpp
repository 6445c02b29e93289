// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "LogLock.h"

#include "platform/FileOperations.h"

#include <QDir>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorin {
namespace {

// Named after the log folder itself, so every spelling of its path meets the
// same lock; kept in the user's runtime folder, where the card or share that
// holds the log plays no part.
QString lockPathFor(const FileIdentity &folder, const QString &fileType)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString locks = runtime.startsWith(u'/') ? runtime + QStringLiteral("/quorin-logs")
                                                    : QDir::tempPath() + QStringLiteral("/quorin-logs-%1").arg(getuid());
    mkdir(locks.toUtf8().constData(), 0700);
    return locks + QStringLiteral("/%1-%2-%3.lock").arg(folder.device).arg(folder.inode).arg(fileType.toUpper());
}

} // namespace

bool LogLock::tryLock(const QString &logFolder, const QString &fileType)
{
    unlock();
    const FileIdentity folder = identityOf(logFolder);
    if (!folder.valid)
        return true;
    fd_ = ::open(lockPathFor(folder, fileType).toUtf8().constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0)
        return true;
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0)
        return true;
    const bool heldElsewhere = errno == EWOULDBLOCK;
    unlock();
    return !heldElsewhere;
}

void LogLock::unlock()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

QString fileTypeOfLog(const QString &logPath)
{
    static const QRegularExpression Named(QStringLiteral("^Restore(.*?)(-\\d{8}-\\d{6}(-\\d+)?)?\\.log$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QString name = logPath.mid(logPath.lastIndexOf(u'/') + 1);
    const QRegularExpressionMatch match = Named.match(name);
    return match.hasMatch() ? match.captured(1) : name;
}

} // namespace quorin

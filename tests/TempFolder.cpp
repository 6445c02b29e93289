// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include <QDeadlineTimer>
#include <QThread>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

namespace quorin::test {

TempFolder::~TempFolder()
{
    if (runningAsRoot())
        shell(QStringLiteral("chattr -R -i '%1' 2>/dev/null").arg(dir_.path()));
}

QString TempFolder::path() const { return dir_.path() + u'/'; }

void TempFolder::write(const QString &relative, const QByteArray &content) const
{
    QFile f(file(relative));
    QDir().mkpath(QFileInfo(f).absolutePath());
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write test file");
}

void TempFolder::writeNamed(const QString &folder, const QStringList &names) const
{
    for (const QString &name : names)
        write(folder + u'/' + name, name.toUtf8());
}

void TempFolder::makeFolder(const QString &relative) const { QDir().mkpath(file(relative)); }

bool TempFolder::setImmutable(const QString &relative, bool on) const
{
    int status = -1;
    shell(QStringLiteral("chattr %1i '%2' 2>/dev/null").arg(on ? '+' : '-').arg(file(relative)), &status);
    return runningAsRoot() && status == 0;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool exists(const QString &path) { return QFileInfo(path).exists() || QFileInfo(path).isSymLink(); }

bool runningAsRoot() { return geteuid() == 0; }

bool holdsLock(const QString &lockPath, qint64 pid)
{
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QThread::msleep(20))
        if (readAll(lockPath).split('\n').value(0).toLongLong() == pid)
            return true;
    return false;
}

QByteArray shell(const QString &command, int *status)
{
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    p.waitForFinished(-1);
    if (status)
        *status = p.exitCode();
    return p.readAllStandardOutput();
}

SmallDisk::SmallDisk(const QString &folder, const QString &size) : folder_(folder)
{
    QDir().mkpath(folder);
    int status = -1;
    shell(QStringLiteral("mount -t tmpfs -o size=%1 tmpfs '%2' 2>/dev/null").arg(size, folder), &status);
    mounted_ = status == 0;
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        shell(QStringLiteral("umount '%1'").arg(folder_));
}

} // namespace quorin::test

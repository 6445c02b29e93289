// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "GivenPaths.h"

#include <QFileInfo>

namespace quorin::cli {
namespace {

QString notAFolder(const QString &option, const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {};
    const QString named = option.isEmpty() ? path : option + u' ' + path;
    return named + (info.exists() ? QStringLiteral(": not a folder") : QStringLiteral(": no such folder"));
}

QString notALog(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return path + QStringLiteral(": no such file");
    return info.isDir() ? path + QStringLiteral(": a folder, not a log") : QString();
}

} // namespace

QString unusablePath(const Invocation &call)
{
    switch (call.command) {
    case Command::Survey: return notAFolder({}, call.path);
    case Command::Restore: return notALog(call.path);
    case Command::Run: {
        const QString source = notAFolder(QStringLiteral("--source"), call.job.SourceFolder);
        return source.isEmpty() ? notAFolder(QStringLiteral("--dest"), call.job.DestinationFolder) : source;
    }
    case Command::Help:
    case Command::Version: break;
    }
    return {};
}

} // namespace quorin::cli

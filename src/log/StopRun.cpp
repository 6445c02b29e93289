// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "StopRun.h"

#include "RenameLog.h"
#include "UndoLog.h"

namespace quorin {

void CancelRun(RunHost &host, const QString &logPath)
{
    host.clearStopRequested();
    host.setRunInProgress(false);
    host.setStatus(QStringLiteral("用户取消操作，正在结束..."));
    DiscardRenameLog(logPath);
    host.setStatus(QStringLiteral("用户取消操作！"));
    host.setStartEnabled(true);
}

void RollBackRun(RunHost &host, const QString &logPath, qint64 tried)
{
    host.clearStopRequested();
    host.setRunInProgress(false);
    const UndoTally tally = undoLog(host, logPath, tried, StopErrorRule);
    if (!tally.keepLog())
        DiscardRenameLog(logPath);
    // Records an unreadable log kept from the roll-back are not undone either.
    const qint64 notUndone = tally.failed + (tally.unreadable ? qMax<qint64>(0, tried - tally.tried) : 0);
    if (notUndone == 0) {
        host.setStatus(QStringLiteral("用户取消操作！已经更名的文件得到恢复！"));
    } else {
        host.setStatus(QStringLiteral("用户取消操作！有") + signSpaced(notUndone)
                       + QStringLiteral(" 个文件未能恢复。")
                       + (tally.keepLog() ? QStringLiteral("重命名日志已保留。") : QString()));
    }
    host.setStartEnabled(true);
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "Restore.h"

#include "RecordStates.h"
#include "RenameLog.h"
#include "LogLock.h"
#include "UndoLog.h"
#include "engine/GeneralError.h"
#include "platform/TextFile.h"

namespace quorin {
namespace {

const QString HeaderStart = QStringLiteral("###  文件重命名日志--由 Quorin v1.25 创建于 ");

bool confirmed(MessagePrompter &prompter)
{
    const MessageBox question{QStringLiteral("你确定要恢复原来的的文件名吗？"), QStringLiteral("恢复确认"),
                              MessageIcon::Question, MessageButtons::OkCancel, MessageAnswer::Ok};
    return prompter.showMessage(question) == MessageAnswer::Ok;
}

void report(RunHost &host, const RestoreReport &result)
{
    if (result.onlyCopies) {
        host.showMessage({QStringLiteral("这些文件是复制生成的，原文件从未改名，无需恢复；复制的文件保持不变。"),
                          QStringLiteral("恢复"), MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
        return;
    }
    if (result.everyFileRestored()) {
        host.showMessage({QStringLiteral("文件名已经恢复！"), QStringLiteral("成功"), MessageIcon::Information,
                          MessageButtons::Ok, MessageAnswer::Ok});
        return;
    }
    QString prompt = QStringLiteral("已经恢复了") + signSpaced(result.restored) + QStringLiteral(" 个文件。")
                     + QStringLiteral("\n\n有") + signSpaced(result.failed)
                     + QStringLiteral(" 个文件未能恢复（原文件名已被占用、文件已不存在或无法访问）。");
    if (result.logKept)
        prompt += QStringLiteral("\n\n重命名日志已保留，排除问题后可以再次恢复。");
    host.showMessage(refusal(prompt, QStringLiteral("恢复")));
}

RestoreReport restoreFromLog(RunHost &host, const QString &path)
{
    host.setRestoreEnabled(false);
    const UndoTally tally = undoLog(host, path, -1, RestoreErrorRule);
    RestoreReport result{RestoreReport::Ending::Completed, tally.tried, tally.undone, tally.failed,
                         tally.copied > 0 && tally.renamedByRun == 0 && !tally.keepLog(), tally.keepLog()};
    if (tally.ended) {
        result.ending = RestoreReport::Ending::Ended;
        return result;
    }
    host.setRestoreEnabled(true);
    host.setStatus(QStringLiteral("已经恢复了") + signSpaced(tally.undone) + QStringLiteral(" 个文件！"));
    if (!result.logKept) {
        const FileError discarded = DiscardRenameLog(path);
        if (!RestoreErrorRule.passesOver(discarded)) {
            endWithGeneralError(host, discarded);
            result.ending = RestoreReport::Ending::Ended;
            return result;
        }
    }
    // Only a host that can stop a restore asks to, and it reports the stop itself.
    if (tally.stopped) {
        result.ending = RestoreReport::Ending::Stopped;
        return result;
    }
    report(host, result);
    return result;
}

} // namespace

bool isWholeRenameLog(const QString &path)
{
    RecordStates states;
    const RecordStates::Found found = states.open(path);
    const LineScan scan = scanLines(path, -1, found == RecordStates::Found::Present ? ScanDigest::Take : ScanDigest::Skip);
    const bool whole = !scan.error.failed() && scan.crLfOnly && scan.onlyCleanFullPaths && scan.lines >= 1
                       && (scan.lines - 1) % 2 == 0 && TextCodec().decode(scan.firstLine).startsWith(HeaderStart);
    switch (found) {
    case RecordStates::Found::Absent: return whole;
    case RecordStates::Found::Damaged: return false;
    case RecordStates::Found::Present: break;
    }
    return whole && states.records() == (scan.lines - 1) / 2 && states.logDigest() == scan.digest;
}

Verdict CheckRestoreLog(const QString &path, MessagePrompter &prompter)
{
    if (isWholeRenameLog(path))
        return Verdict::Proceed;
    prompter.showMessage(refusal(QStringLiteral("所选文件不是完整的重命名日志，没有恢复任何文件，该文件也没有被删除。"),
                                 QStringLiteral("恢复确认")));
    return Verdict::Stop;
}

RestoreReport RestoreChosenLog(RunHost &host, const QString &path)
{
    if (CheckRestoreLog(path, host) == Verdict::Stop)
        return {RestoreReport::Ending::Refused};
    LogLock lock;
    if (!lock.tryLock(path.left(path.lastIndexOf(u'/')), fileTypeOfLog(path))) {
        host.showMessage(refusal(QStringLiteral("没有恢复任何文件：") + logInUse().description, QStringLiteral("恢复")));
        return {RestoreReport::Ending::Refused};
    }
    if (!confirmed(host))
        return {RestoreReport::Ending::Declined};
    return restoreFromLog(host, path);
}

} // namespace quorin

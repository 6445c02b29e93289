// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "UndoLog.h"

#include "engine/GeneralError.h"
#include "platform/FileOperations.h"
#include "platform/TextFile.h"

namespace quorin {
namespace {

bool stopsHere(RunHost &host, const FileError &error, const ErrorRule &rule, UndoTally &tally)
{
    if (rule.passesOver(error))
        return false;
    tally.ended = true;
    endWithGeneralError(host, error);
    return true;
}

} // namespace

UndoTally undoLog(RunHost &host, const QString &logPath, qint64 records, const ErrorRule &rule)
{
    UndoTally tally;
    const LineScan header = scanLines(logPath, 1);
    const LineScan plan = records < 0 ? scanLines(logPath) : scanLines(logPath, 1 + 2 * records);
    BackwardLineReader reader;
    FileError failure = header.error.failed() ? header.error : plan.error;
    if (!failure.failed())
        failure = reader.open(logPath, header.end, plan.end);
    if (failure.failed()) {
        tally.keepLog = pathExists(logPath);
        stopsHere(host, failure, rule, tally);
        return tally;
    }
    while (!reader.atBegin()) {
        QString oldPath, newPath;
        failure = reader.readPreviousLine(newPath);
        if (!failure.failed())
            failure = reader.readPreviousLine(oldPath);
        if (failure.failed()) {
            tally.keepLog = true;
            stopsHere(host, failure, rule, tally);
            return tally;
        }
        const FileError undo = moveFile(newPath, oldPath);
        if (stopsHere(host, undo, rule, tally))
            return tally;
        ++tally.tried;
        if (!undo.failed())
            ++tally.undone;
        else if (pathExists(newPath))
            tally.keepLog = true;
        host.setProgress(progress::Restoring, tally.tried);
        host.processEvents();
    }
    reader.close();
    return tally;
}

} // namespace quorin

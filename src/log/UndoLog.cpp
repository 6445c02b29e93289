// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "UndoLog.h"

#include "RecordStates.h"
#include "engine/GeneralError.h"
#include "engine/PlannedRename.h"
#include "platform/FileOperations.h"
#include "platform/TextFile.h"

#include <optional>

namespace quorin {
namespace {

bool inOneFolder(const PlannedRename &paths)
{
    const auto folder = [](const QString &path) { return identityOf(path.left(path.lastIndexOf(u'/') + 1)); };
    const FileIdentity from = folder(paths.OldPath);
    return from.valid && from == folder(paths.NewPath);
}

bool stopsHere(RunHost &host, const FileError &error, const ErrorRule &rule, UndoTally &tally)
{
    if (rule.passesOver(error))
        return false;
    tally.ended = true;
    endWithGeneralError(host, error);
    return true;
}

class Undo final {
public:
    Undo(RunHost &host, const ErrorRule &rule) : host_(host), rule_(rule) {}
    UndoTally run(const QString &logPath, qint64 records);

private:
    bool undoRecord(qint64 record, const PlannedRename &paths);
    FileError renameBack(const PlannedRename &paths);
    bool unreadable(const FileError &failure);

    RunHost &host_;
    const ErrorRule &rule_;
    RecordStates states_;
    UndoTally tally_;
};

UndoTally Undo::run(const QString &logPath, qint64 records)
{
    const LineScan header = scanLines(logPath, 1);
    const LineScan plan = records < 0 ? scanLines(logPath) : scanLines(logPath, 1 + 2 * records);
    BackwardLineReader reader;
    FileError failure = header.error.failed() ? header.error : plan.error;
    if (!failure.failed())
        failure = reader.open(logPath, header.end, plan.end);
    if (failure.failed()) {
        tally_.unreadable = pathExists(logPath);
        stopsHere(host_, failure, rule_, tally_);
        return tally_;
    }
    states_.open(logPath);
    for (qint64 record = (plan.lines - 1) / 2 - 1; !reader.atBegin(); --record) {
        PlannedRename paths;
        failure = reader.readPreviousLine(paths.NewPath);
        if (!failure.failed())
            failure = reader.readPreviousLine(paths.OldPath);
        if (failure.failed())
            return unreadable(failure), tally_;
        if (!undoRecord(record, paths))
            return tally_;
        host_.setProgress(progress::Restoring, ++tally_.tried);
        host_.processEvents();
        if (!reader.atBegin() && host_.stopRequested()) {
            tally_.stopped = true;
            return tally_;
        }
    }
    return tally_;
}

bool Undo::unreadable(const FileError &failure)
{
    tally_.unreadable = true;
    return !stopsHere(host_, failure, rule_, tally_);
}

// A record whose old path holds a file and whose new path holds none is back,
// whatever its state says: an earlier restore that was cut short, or a record
// the run never reached.
bool Undo::undoRecord(qint64 record, const PlannedRename &paths)
{
    // A file that already carried its new name was never renamed.
    if (paths.OldPath == paths.NewPath)
        return true;
    const std::optional<RecordState> state = states_.state(record);
    switch (state.value_or(RecordState::Pending)) {
    case RecordState::PassedOver: ++tally_.passedOver; return true;
    case RecordState::Copied: ++tally_.copied; return true;
    case RecordState::Undone: ++tally_.renamedByRun, ++tally_.alreadyBack; return true;
    case RecordState::Renamed: ++tally_.renamedByRun; break;
    case RecordState::Pending: break;
    }
    // The run notes each record as soon as it is done, so a pending record
    // whose file is still at its old path was never carried out, though its
    // new name may be held by the file of a record before it in the chain.
    const bool notCarriedOut = states_.isOpen() && !state;
    const FileError undo = renameBack(paths);
    if (stopsHere(host_, undo, rule_, tally_))
        return false;
    const bool back = !undo.failed() || (pathExists(paths.OldPath) && (notCarriedOut || !pathExists(paths.NewPath)));
    if (!undo.failed() && state != RecordState::Renamed)
        ++tally_.renamedByRun;
    ++(!undo.failed() ? tally_.undone : back ? tally_.alreadyBack : tally_.failed);
    if (back)
        states_.set(record, RecordState::Undone);
    return true;
}

// A move across file systems, or its undo, stopped after the copy was whole and
// before the other name went, leaves the same bytes under both names; so does
// a copy run stopped before it noted the copy. Removing the new name gives back
// the state before the run, and nothing is lost. Without states the log may be
// a copy run's of an earlier version, whose copies must stay. Within one
// folder the new name may be held by another file of a renumbered chain, which
// may well hold the same bytes and is still not a copy.
FileError Undo::renameBack(const PlannedRename &paths)
{
    const FileError undo = moveFile(paths.NewPath, paths.OldPath);
    if (undo.code != FileAlreadyExists || !states_.isOpen() || inOneFolder(paths))
        return undo;
    return removeDuplicate(paths.NewPath, paths.OldPath);
}

} // namespace

UndoTally undoLog(RunHost &host, const QString &logPath, qint64 records, const ErrorRule &rule)
{
    return Undo(host, rule).run(logPath, records);
}

} // namespace quorin

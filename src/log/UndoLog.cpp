// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "UndoLog.h"

#include "RecordStates.h"
#include "engine/GeneralError.h"
#include "engine/PlannedRename.h"
#include "platform/FileOperations.h"
#include "platform/TextFile.h"

#include <QSet>

#include <optional>

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

class Undo final {
public:
    Undo(RunHost &host, const ErrorRule &rule) : host_(host), rule_(rule) {}
    UndoTally run(const QString &logPath, qint64 records);

private:
    bool undoRecord(qint64 record, const PlannedRename &paths);
    bool neverCarriedOut(std::optional<RecordState> state, const PlannedRename &paths);
    FileError renameBack(qint64 record, std::optional<RecordState> state, const PlannedRename &paths);
    bool unreadable(const FileError &failure);
    void noteFolderOf(const QString &path, QString &last);
    void removeAbandonedCopiesOnceAllIsBack();

    RunHost &host_;
    const ErrorRule &rule_;
    RecordStates states_;
    UndoTally tally_;
    QSet<QString> folders_;
    QString lastOldFolder_;
    QString lastNewFolder_;
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
    removeAbandonedCopiesOnceAllIsBack();
    return tally_;
}

bool Undo::unreadable(const FileError &failure)
{
    tally_.unreadable = true;
    return !stopsHere(host_, failure, rule_, tally_);
}

bool Undo::undoRecord(qint64 record, const PlannedRename &paths)
{
    const std::optional<RecordState> state = states_.state(record);
    switch (state.value_or(RecordState::Pending)) {
    case RecordState::PassedOver: ++tally_.passedOver; return true;
    case RecordState::Copied: ++tally_.copied; return true;
    case RecordState::Undone: ++tally_.renamedByRun, ++tally_.alreadyBack; return true;
    case RecordState::Renamed:
    case RecordState::CopyPlaced:
    case RecordState::CopyPlacedBack: ++tally_.renamedByRun; break;
    case RecordState::Pending: break;
    }
    noteFolderOf(paths.OldPath, lastOldFolder_);
    noteFolderOf(paths.NewPath, lastNewFolder_);
    if (neverCarriedOut(state, paths)) {
        ++tally_.alreadyBack;
        return true;
    }
    const FileError undo = renameBack(record, state, paths);
    if (stopsHere(host_, undo, rule_, tally_))
        return false;
    const bool back = !undo.failed()
                      || (existsAsSpelled(paths.OldPath, paths.NewPath) && !existsAsSpelled(paths.NewPath, paths.OldPath));
    if (!undo.failed() && state != RecordState::Renamed)
        ++tally_.renamedByRun;
    ++(!undo.failed() ? tally_.undone : back ? tally_.alreadyBack : tally_.failed);
    if (back)
        states_.set(record, RecordState::Undone);
    return true;
}

// A file whose new name is its old one was never renamed. A record still
// pending in states that can be trusted, whose old name holds a file, was never
// carried out: whatever holds its new name is not the run's, and stays.
bool Undo::neverCarriedOut(std::optional<RecordState> state, const PlannedRename &paths)
{
    if (paths.OldPath == paths.NewPath)
        return true;
    return !state && states_.trusted() && existsAsSpelled(paths.OldPath, paths.NewPath);
}

// A file is only ever removed where the states prove the run, or an earlier
// restore, put it there: a copy noted just before it took its name, and found
// beside its original with the same bytes. A change of case cut short leaves
// its file under a hidden name, which is given the old name.
FileError Undo::renameBack(qint64 record, std::optional<RecordState> state, const PlannedRename &paths)
{
    const bool ownCopy = state == RecordState::CopyPlaced || state == RecordState::CopyPlacedBack;
    if (ownCopy && pathExists(paths.OldPath) && pathExists(paths.NewPath))
        return removeDuplicate(paths.NewPath, paths.OldPath);
    const FileError undo =
        moveFile(paths.NewPath, paths.OldPath, [&] { states_.set(record, RecordState::CopyPlacedBack); });
    if (undo.code != FileNotFound || pathExists(paths.OldPath))
        return undo;
    const FileError finished = finishCaseRename(paths.OldPath);
    return finished.failed() ? undo : finished;
}

// Records follow each other folder by folder: a folder is kept once, without
// a string made for every record.
void Undo::noteFolderOf(const QString &path, QString &last)
{
    const QStringView folder = QStringView(path).first(path.lastIndexOf(u'/') + 1);
    if (folder == last)
        return;
    last = folder.toString();
    folders_.insert(last);
}

// Copies cut short by a kill leave hidden files that nothing else will ever
// use; they go once every file of the log is back.
void Undo::removeAbandonedCopiesOnceAllIsBack()
{
    if (tally_.failed > 0)
        return;
    for (const QString &folder : std::as_const(folders_))
        removeAbandonedCopies(folder);
}

} // namespace

UndoTally undoLog(RunHost &host, const QString &logPath, qint64 records, const ErrorRule &rule)
{
    return Undo(host, rule).run(logPath, records);
}

} // namespace quorin

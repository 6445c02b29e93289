// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RunHost.h"
#include "platform/FileError.h"

namespace quorin {

// Outcomes of undoing a log's records, counted as they happen.
struct UndoTally final {
    qint64 tried = 0;
    qint64 undone = 0;
    // An undo failed while the file still sits at its new path: the log is
    // the only record of its old name and must not be thrown away.
    bool keepLog = false;
    // An unexpected failure ended the program.
    bool ended = false;

    qint64 notUndone() const { return tried - undone; }
};

// Gives the first `records` records of a log (all of them when negative) their
// old paths back, from the last record to the first: a run may have freed a name
// that a later record then took, and only the reverse order undoes such chains.
// Failures the rule passes over leave that record as it is.
UndoTally undoLog(RunHost &host, const QString &logPath, qint64 records, const ErrorRule &rule);

} // namespace quorin

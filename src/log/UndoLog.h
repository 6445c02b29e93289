// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RunHost.h"
#include "platform/FileError.h"

namespace quorin {

// Outcomes of undoing a log's records, counted by kind as they happen.
struct UndoTally final {
    qint64 tried = 0;
    // Renamed back now.
    qint64 undone = 0;
    // Already at the old name: undone earlier, or never renamed.
    qint64 alreadyBack = 0;
    // Copies and records the run passed over: there is nothing to undo.
    qint64 copied = 0;
    qint64 passedOver = 0;
    // Renamed by the run at some time (now undone or not).
    qint64 renamedByRun = 0;
    // Still at the new name, or nowhere to be found.
    qint64 failed = 0;
    // The log could not be read through: it must not be thrown away.
    bool unreadable = false;
    // An unexpected failure ended the program.
    bool ended = false;
    // The host asked to stop before the first record was reached.
    bool stopped = false;

    bool keepLog() const { return failed > 0 || unreadable || stopped; }
};

// Gives the first `records` records of a log (all of them when negative) their
// old paths back, from the last record to the first: a run may have freed a name
// that a later record then took, and only the reverse order undoes such chains.
// The states beside the log say which records the run passed over or copied
// (nothing to undo) and which are undone already; each undo is written there.
// Failures the rule passes over leave that record as it is. A stop the host
// asks for ends the undo between two records; the records left keep their
// state, so undoing the log again finishes it.
UndoTally undoLog(RunHost &host, const QString &logPath, qint64 records, const ErrorRule &rule);

} // namespace quorin

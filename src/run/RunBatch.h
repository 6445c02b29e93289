// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RunHost.h"

namespace quorin {

// How a run ended, with its outcomes counted by kind.
struct RunReport final {
    enum class Ending {
        Refused,      // a start check failed or the user declined
        LogRefused,   // the log could not be written; no file was touched
        Completed,
        Stopped,      // stopped by the user and rolled back
        Ended,        // an unexpected failure ended the program
    };
    Ending ending = Ending::Refused;
    qint64 done = 0;
    qint64 passedOver = 0;
    // Files whose names a line-based log or a file name cannot hold.
    qint64 leftAlone = 0;
    // Files of the chosen type the plan met.
    qint64 filesOfType = 0;
    QString logPath;

    bool everyFileHandled() const { return ending == Ending::Completed && passedOver == 0 && leftAlone == 0; }
};

// The Start button: the start checks on the window's settings, then the run.
RunReport StartRun(RunHost &host);

// Plans every file of the chosen type into the log, makes the log durable, then
// carries the log out record by record. The job has passed the start checks.
RunReport RunBatch(RunHost &host, const RenameJob &job);

} // namespace quorin

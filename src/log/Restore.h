// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RunHost.h"
#include "engine/ValidateJob.h"

namespace quorin {

struct RestoreReport final {
    enum class Ending {
        Refused,
        Declined,
        Completed,
        Stopped,  // the host asked to stop between two records; the log is kept
        Ended,
    };
    Ending ending = Ending::Refused;
    qint64 tried = 0;
    qint64 restored = 0;
    // Records that could not be undone: the file is neither back nor gone.
    qint64 failed = 0;
    // Every record was a copy: the originals never lost their names.
    bool onlyCopies = false;
    bool logKept = false;

    bool everyFileRestored() const { return ending == Ending::Completed && failed == 0; }
};

// True for a whole rename log: the header first, then complete two-line
// records of full, clean paths, every line ending in CR LF; and, where the
// record states lie beside it, the log they were written for.
bool isWholeRenameLog(const QString &path);

// Refuses, with a box, any chosen file that is not a whole rename log.
Verdict CheckRestoreLog(const QString &path, MessagePrompter &prompter);

// Restore for a file the user has chosen: the log check, the confirmation, then
// every record undone and the outcome reported.
RestoreReport RestoreChosenLog(RunHost &host, const QString &path);

} // namespace quorin

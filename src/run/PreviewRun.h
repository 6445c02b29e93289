// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "PlanRun.h"

namespace quorin {

// What a run would do, counted by kind as the run would count it.
struct PreviewReport final {
    enum class Ending { Refused, Completed, Stopped, PrinterFailed };
    Ending ending = Ending::Refused;
    FileError printerError;
    // Renamed, moved or copied.
    qint64 done = 0;
    // The new name taken (or the file gone) when the run would reach it.
    qint64 passedOver = 0;
    qint64 leftAlone = 0;
    qint64 filesOfType = 0;
};

// The Start button without touching anything: the same start checks (the
// question whether to keep the source folder as the destination is not asked,
// since nothing is changed), then the run's own planning pass, each planned
// rename handed to the printer. No log is written. Whether each rename would
// find its new name free is worked out from the disk and from the names that
// the plan's earlier renames take and free.
PreviewReport PreviewRun(RunHost &host, PlanSink &printer);

} // namespace quorin

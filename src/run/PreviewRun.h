// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "PlanRun.h"

namespace quorin {

// What the run would do with one file of the chosen type.
enum class RowReason {
    // Renamed, copied or moved.
    None,
    // Passed over: the new name is taken by a file the run does not rename
    // first, or the file has gone.
    NameTaken,
    // Passed over: the new name or path is longer than the system takes.
    TooLong,
    // The file carries its new name already; it counts as renamed.
    AlreadyNamed,
    // Left alone: an old or new path holds a line break or bytes that are not
    // UTF-8, which no log can hold.
    NotLoggable,
    // Left alone: the target's file system (FAT) cannot hold the new name.
    NotHeldByTarget,
    // The advanced edit does not fit the name; the file keeps it.
    EditDoesNotFit,
};

// One file as the run would meet it; the new path is empty where none was made.
struct PreviewRow final {
    QString OldPath;
    QString NewPath;
    RowReason reason = RowReason::None;
};

// Where a preview hands its rows, in the order the run would carry them out.
// A failure ends the preview.
class PreviewSink {
public:
    virtual ~PreviewSink() = default;
    virtual FileError take(const PreviewRow &row) = 0;
};

// What a run would do, counted by kind as the run would count it.
struct PreviewReport final {
    enum class Ending { Refused, Completed, Stopped, PrinterFailed };
    Ending ending = Ending::Refused;
    FileError printerError;
    // Renamed, moved or copied, or already carrying the new name.
    qint64 done = 0;
    // The new name taken (or the file gone) when the run would reach it.
    qint64 passedOver = 0;
    qint64 leftAlone = 0;
    qint64 filesOfType = 0;
};

// The Start button without touching anything: the same start checks (the
// question whether to keep the source folder as the destination is not asked,
// since nothing is changed), then the run's own planning pass, every file of
// the chosen type handed to the sink as a row. No log is written. Whether each
// rename would find its new name free is worked out from the disk and from the
// names that the plan's earlier renames take and free.
PreviewReport PreviewRun(RunHost &host, PreviewSink &rows);

} // namespace quorin

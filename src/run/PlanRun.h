// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/NewName.h"
#include "engine/RunHost.h"
#include "platform/FileError.h"

namespace quorin {

// Where the planning pass hands each planned rename, in the order the run
// carries them out: the log for a run, the preview's rows for a preview. A
// failure ends the plan.
class PlanSink {
public:
    virtual ~PlanSink() = default;
    virtual FileError take(const PlannedRename &rename) = 0;
    // A file of the chosen type that is not planned, and why; only a preview
    // shows such a file.
    virtual FileError leave(const QString &oldPath, NameOutcome why)
    {
        Q_UNUSED(oldPath);
        Q_UNUSED(why);
        return {};
    }
};

struct PlanReport final {
    enum class Ending { Planned, Stopped, SinkFailed };
    Ending ending = Ending::Planned;
    // Files of the chosen type met, whether planned or not.
    qint64 filesOfType = 0;
    // Files whose names a line-based log or a file name cannot hold.
    qint64 leftAlone = 0;
    FileError sinkError;
};

// Folder paths as the window holds them may be spelled with doubled
// separators, "." or ".."; the log must name every file one way only.
RenameJob cleaned(RenameJob job);

// The planning pass of a run: every file of the chosen type under the start
// job's source folder, with its new name, handed to the sink; in a folder whose
// files are renamed within it, a rename to a name the folder holds goes to the
// sink once the folder is planned whole. The host's
// settings are read as the run reads them. Nothing on disk is changed here.
PlanReport PlanRun(RunHost &host, const RenameJob &start, PlanSink &sink);

} // namespace quorin

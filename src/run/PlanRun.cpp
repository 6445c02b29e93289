// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "PlanRun.h"

#include "ExecutionOrder.h"

#include "engine/NewName.h"
#include "log/LogNames.h"
#include "log/RenameLog.h"
#include "platform/FileOperations.h"
#include "platform/SortedFolderListing.h"

#include <deque>
#include <optional>

namespace quorin {
namespace {

enum class Step { Next, Stop, SinkFailed };

class Planner final {
public:
    Planner(RunHost &host, const RenameJob &start, PlanSink &sink)
        : host_(host), start_(start), sink_(sink),
          logFolder_(identityOf(RenameLog::folderFor(start.DestinationFolder)))
    {
    }
    PlanReport run();

private:
    Step plan();
    Step planFolder(const QString &folder);
    Step planFile(const FolderEntry &entry, const QString &folder, const RenameJob &folderJob, quint32 position);
    Step handOut();
    bool keepGoing();
    RenameJob fileJob(const RenameJob &folderJob);
    bool isLogFolderFile(const QString &name) const;

    RunHost &host_;
    const RenameJob start_;
    PlanSink &sink_;
    const FileIdentity logFolder_;
    bool inLogFolder_ = false;
    NameCounters counters_;
    std::deque<QString> folderQueue_;
    std::optional<ExecutionOrder> order_;
    PlanReport report_;
};

PlanReport Planner::run()
{
    switch (plan()) {
    case Step::Next: report_.ending = PlanReport::Ending::Planned; break;
    case Step::Stop: report_.ending = PlanReport::Ending::Stopped; break;
    case Step::SinkFailed: report_.ending = PlanReport::Ending::SinkFailed; break;
    }
    return report_;
}

// Breadth first: the source folder, its sub-folders in name order, theirs,
// and so on. No file is touched while any folder is being listed, so a listing
// never meets a name the run has just given.
Step Planner::plan()
{
    folderQueue_.push_back(start_.SourceFolder);
    while (!folderQueue_.empty()) {
        const QString folder = asFolderPath(folderQueue_.front());
        folderQueue_.pop_front();
        if (const Step step = planFolder(folder); step != Step::Next)
            return step;
        if (!host_.currentJob().IncludeSubfolders)
            break;
        host_.processEvents();
    }
    return Step::Next;
}

bool Planner::keepGoing()
{
    host_.processEvents();
    return !host_.stopRequested();
}

// In a folder whose files are renamed within it, a rename to a name the folder
// holds waits until the folder is planned whole, and is then handed on in the
// order in which it can be carried out; every other rename goes at once.
Step Planner::planFolder(const QString &folder)
{
    SortedFolderListing listing(folder, start_.attributeMask(), [this] { return keepGoing(); });
    if (listing.stopped())
        return Step::Stop;
    inLogFolder_ = logFolder_.valid && identityOf(folder) == logFolder_;
    const RenameJob folderJob = host_.currentJob();
    if (!folderJob.AdvancedEdit)
        counters_.SequenceNumber = folderJob.ContinuousNumbering ? counters_.PlannedCount : 0;
    order_.reset();
    if (!folderJob.CopyToDestination && ExecutionOrder::canChain(folder, cleaned(folderJob).targetFolder(folder)))
        order_.emplace(folder, listing);
    FolderEntry entry;
    while (listing.next(entry)) {
        if (const Step step = planFile(entry, folder, folderJob, listing.position()); step != Step::Next)
            return step;
        if (!keepGoing())
            return Step::Stop;
    }
    return listing.stopped() ? Step::Stop : handOut();
}

Step Planner::handOut()
{
    if (!order_)
        return Step::Next;
    Step step = Step::Next;
    order_->handOut([this, &step](const PlannedRename &rename) {
        if (FileError taken = sink_.take(rename); taken.failed()) {
            report_.sinkError = taken;
            step = Step::SinkFailed;
        } else if (!keepGoing()) {
            step = Step::Stop;
        }
        return step == Step::Next;
    });
    order_.reset();
    return step;
}

Step Planner::planFile(const FolderEntry &entry, const QString &folder, const RenameJob &folderJob,
                       quint32 position)
{
    if (entry.name == u"." || entry.name == u"..")
        return Step::Next;
    if (entry.isFolder) {
        // The log folder, and every folder of that name, is never entered.
        if (entry.name != u"Restore" && entry.nameIsFaithful)
            folderQueue_.push_back(folder + entry.name + u'/');
        return Step::Next;
    }
    if (!hasFileType(entry.name, start_.FileType) || isLogFolderFile(entry.name))
        return Step::Next;
    ++report_.filesOfType;
    const Composition composed = entry.nameIsFaithful
                                     ? ComposeNewName(fileJob(folderJob), folder, entry.name, counters_)
                                     : Composition{NameOutcome::Unsafe, {}};
    if (composed.outcome == NameOutcome::Unsafe)
        ++report_.leftAlone;
    if (composed.outcome != NameOutcome::Planned || !order_ || !order_->add(position, composed.rename)) {
        const FileError taken = composed.outcome == NameOutcome::Planned
                                    ? sink_.take(composed.rename)
                                    : sink_.leave(folder + entry.name, composed.outcome);
        if (taken.failed()) {
            report_.sinkError = taken;
            return Step::SinkFailed;
        }
    }
    host_.setProgress(progress::Planning, counters_.PlannedCount);
    return Step::Next;
}

// The log folder is known by the folder itself, however its path is spelled.
bool Planner::isLogFolderFile(const QString &name) const
{
    return inLogFolder_ && isKeptInLogFolder(name);
}

// The edit's texts are taken when a folder starts; everything else when the file is met.
RenameJob Planner::fileJob(const RenameJob &folderJob)
{
    RenameJob job = cleaned(host_.currentJob());
    job.FileType = start_.FileType;
    job.Edit.FindText = folderJob.Edit.FindText;
    job.Edit.ReplaceText = folderJob.Edit.ReplaceText;
    job.Edit.DeleteText = folderJob.Edit.DeleteText;
    job.Edit.InsertText = folderJob.Edit.InsertText;
    job.Edit.DeleteCountText = folderJob.Edit.DeleteCountText;
    return job;
}

} // namespace

RenameJob cleaned(RenameJob job)
{
    job.SourceFolder = asFolderPath(job.SourceFolder);
    job.DestinationFolder = asFolderPath(job.DestinationFolder);
    return job;
}

PlanReport PlanRun(RunHost &host, const RenameJob &start, PlanSink &sink)
{
    return Planner(host, start, sink).run();
}

} // namespace quorin

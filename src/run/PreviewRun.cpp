// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "PreviewRun.h"

#include "engine/ValidateJob.h"
#include "platform/FileOperations.h"

#include <QSet>

namespace quorin {
namespace {

// Shows the start checks' refusals and answers their one question yes.
class WithoutQuestions final : public MessagePrompter {
public:
    explicit WithoutQuestions(MessagePrompter &boxes) : boxes_(boxes) {}
    MessageAnswer showMessage(const MessageBox &box) override
    {
        switch (box.buttons) {
        case MessageButtons::YesNo: return MessageAnswer::Yes;
        case MessageButtons::OkCancel: return MessageAnswer::Ok;
        case MessageButtons::Ok: break;
        }
        return boxes_.showMessage(box);
    }

private:
    MessagePrompter &boxes_;
};

// Carries the plan out in memory: the disk is only looked at, and the names the
// plan has taken or freed so far are held here. A run's renames never replace
// a file, so a rename happens exactly when its file is there and its new name
// is not.
class Simulation final : public PlanSink {
public:
    Simulation(PlanSink &printer, bool copy, PreviewReport &report) : printer_(printer), copy_(copy), report_(report) {}

    FileError take(const PlannedRename &rename) override
    {
        if (present(rename.OldPath) && !present(rename.NewPath)) {
            ++report_.done;
            mark(rename.NewPath, true);
            if (!copy_)
                mark(rename.OldPath, false);
        } else {
            ++report_.passedOver;
        }
        return printer_.take(rename);
    }

private:
    bool present(const QString &path) const
    {
        return taken_.contains(path) || (!freed_.contains(path) && pathExists(path));
    }

    void mark(const QString &path, bool taken)
    {
        (taken ? taken_ : freed_).insert(path);
        (taken ? freed_ : taken_).remove(path);
    }

    PlanSink &printer_;
    const bool copy_;
    PreviewReport &report_;
    QSet<QString> taken_;
    QSet<QString> freed_;
};

} // namespace

PreviewReport PreviewRun(RunHost &host, PlanSink &printer)
{
    const RenameJob job = host.currentJob();
    WithoutQuestions checks(host);
    PreviewReport report;
    if (ValidateJob(job, checks) == Verdict::Stop)
        return report;
    Simulation simulation(printer, job.CopyToDestination, report);
    const PlanReport planned = PlanRun(host, cleaned(job), simulation);
    report.leftAlone = planned.leftAlone;
    report.filesOfType = planned.filesOfType;
    report.printerError = planned.sinkError;
    switch (planned.ending) {
    case PlanReport::Ending::Planned: report.ending = PreviewReport::Ending::Completed; break;
    case PlanReport::Ending::Stopped: report.ending = PreviewReport::Ending::Stopped; break;
    case PlanReport::Ending::SinkFailed: report.ending = PreviewReport::Ending::PrinterFailed; break;
    }
    return report;
}

} // namespace quorin

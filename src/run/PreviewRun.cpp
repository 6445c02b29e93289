// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "PreviewRun.h"

#include "engine/ValidateJob.h"
#include "platform/FileOperations.h"

#include <QFileInfo>
#include <QHash>

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
    Simulation(PreviewSink &rows, bool copy, PreviewReport &report) : rows_(rows), copy_(copy), report_(report) {}

    FileError take(const PlannedRename &rename) override
    {
        const RowReason reason = outcome(rename);
        if (reason == RowReason::None) {
            mark(rename.NewPath, true);
            if (!copy_)
                mark(rename.OldPath, false);
        }
        return handOn({rename.OldPath, rename.NewPath, reason});
    }

    FileError leave(const QString &oldPath, NameOutcome why) override
    {
        return handOn({oldPath, {}, why == NameOutcome::Unsafe ? RowReason::NotLoggable : RowReason::EditDoesNotFit});
    }

private:
    // In the order the run meets them: the file gone, a name the target
    // cannot hold, the new name taken, a name too long.
    RowReason outcome(const PlannedRename &rename)
    {
        if (!present(rename.OldPath))
            return RowReason::NameTaken;
        if (rename.OldPath == rename.NewPath)
            return RowReason::AlreadyNamed;
        if (nameNotHeldAt(rename.NewPath))
            return RowReason::NotHeldByTarget;
        if (present(rename.NewPath))
            return RowReason::NameTaken;
        return tooLong(rename.NewPath) ? RowReason::TooLong : RowReason::None;
    }

    FileError handOn(const PreviewRow &row)
    {
        switch (row.reason) {
        case RowReason::None:
        case RowReason::AlreadyNamed: ++report_.done; break;
        case RowReason::NameTaken:
        case RowReason::TooLong: ++report_.passedOver; break;
        case RowReason::NotLoggable:
        case RowReason::NotHeldByTarget: ++report_.leftAlone; break;
        case RowReason::EditDoesNotFit: break;
        }
        return rows_.take(row);
    }

    bool present(const QString &path)
    {
        const auto known = marks_.constFind(key(path));
        return known != marks_.constEnd() ? known.value() : pathExists(path);
    }

    void mark(const QString &path, bool taken) { marks_.insert(key(path), taken); }

    // A million names would take hundreds of megabytes as strings; each is
    // kept as a 64-bit hash of its folder's one spelling and its name. Two
    // paths of one plan sharing a hash is a chance of about one in ten million
    // at a million files, and would only mislead the preview, never the run,
    // which looks at the disk itself.
    quint64 key(const QString &path)
    {
        const qsizetype slash = path.lastIndexOf(u'/') + 1;
        return qHash(QStringView(path).sliced(slash), folderKey(QStringView(path).first(slash)));
    }

    // The run renames within one folder however its path is spelled (through
    // a link, say), so each folder is known by one spelling.
    size_t folderKey(QStringView folder)
    {
        if (folder == lastFolder_)
            return lastFolderKey_;
        lastFolder_ = folder.toString();
        auto known = folders_.constFind(lastFolder_);
        if (known == folders_.constEnd()) {
            const QString canonical = QFileInfo(lastFolder_).canonicalFilePath();
            known = folders_.insert(lastFolder_, qHash(canonical.isEmpty() ? lastFolder_ : canonical + u'/', 0x51ab));
        }
        return lastFolderKey_ = known.value();
    }

    PreviewSink &rows_;
    const bool copy_;
    PreviewReport &report_;
    // Whether the plan so far has taken (true) or freed (false) a path.
    QHash<quint64, bool> marks_;
    QHash<QString, size_t> folders_;
    QString lastFolder_;
    size_t lastFolderKey_ = 0;
};

} // namespace

PreviewReport PreviewRun(RunHost &host, PreviewSink &rows)
{
    const RenameJob job = host.currentJob();
    WithoutQuestions checks(host);
    PreviewReport report;
    if (ValidateJob(job, checks) == Verdict::Stop)
        return report;
    Simulation simulation(rows, job.CopyToDestination, report);
    const PlanReport planned = PlanRun(host, cleaned(job), simulation);
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

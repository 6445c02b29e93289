// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunBatch.h"

#include "PlanRun.h"

#include "engine/GeneralError.h"
#include "engine/NewName.h"
#include "engine/ValidateJob.h"
#include "log/RecordStates.h"
#include "log/RenameLog.h"
#include "log/StopRun.h"
#include "platform/CopyBatch.h"
#include "platform/FileOperations.h"

namespace quorin {
namespace {

enum class Step { Next, Stop, End, LogFailed };

class BatchRun final : private PlanSink {
public:
    BatchRun(RunHost &host, const RenameJob &job) : host_(host), start_(cleaned(job)) {}
    RunReport run();

private:
    Step plan();
    FileError take(const PlannedRename &rename) override { return log_.AppendLogRecord(rename); }
    Step execute();
    Step carryOut(const PlannedRename &record);
    bool placeCopies();
    bool note(qint64 record, const FileError &result, RecordState done);
    void complete();
    void refuseLog(const FileError &error);
    RunReport finish(RunReport::Ending ending);

    RunHost &host_;
    const RenameJob start_;
    RenameLog log_;
    RecordStates states_;
    CopyBatch copies_;
    NameCounters counters_;
    RunReport report_;
};

RunReport BatchRun::run()
{
    if (FileError created = log_.CreateRenameLog(start_.DestinationFolder, start_.FileType, host_.now());
        created.failed()) {
        report_.logPath = RenameLog::pathFor(start_.DestinationFolder, start_.FileType);
        refuseLog(created);
        return finish(RunReport::Ending::LogRefused);
    }
    report_.logPath = log_.finalPath();
    host_.setStartEnabled(false);
    host_.setRunInProgress(true);
    Step step = plan();
    if (step == Step::Next)
        step = execute();
    switch (step) {
    case Step::Next: complete(); return finish(RunReport::Ending::Completed);
    case Step::Stop: return finish(RunReport::Ending::Stopped);
    case Step::End: return finish(RunReport::Ending::Ended);
    case Step::LogFailed: break;
    }
    return finish(RunReport::Ending::LogRefused);
}

RunReport BatchRun::finish(RunReport::Ending ending)
{
    report_.ending = ending;
    return report_;
}

Step BatchRun::plan()
{
    const PlanReport planned = PlanRun(host_, start_, *this);
    report_.filesOfType = planned.filesOfType;
    report_.leftAlone = planned.leftAlone;
    switch (planned.ending) {
    case PlanReport::Ending::Planned: break;
    case PlanReport::Ending::Stopped:
        closeAllFiles();
        CancelRun(host_, log_.path());
        return Step::Stop;
    case PlanReport::Ending::SinkFailed:
        refuseLog(planned.sinkError);
        return Step::LogFailed;
    }
    return Step::Next;
}

Step BatchRun::execute()
{
    if (FileError committed = log_.commit(); committed.failed()) {
        refuseLog(committed);
        return Step::LogFailed;
    }
    states_.open(log_.path());
    if (FileError opened = log_.openForReading(log_.path()); opened.failed()) {
        endWithGeneralError(host_, opened);
        return Step::End;
    }
    counters_.PlannedCount = 0;
    while (!log_.atEnd()) {
        PlannedRename record;
        FileError read = log_.ReadLogRecord(record);
        if (read.failed()) {
            endWithGeneralError(host_, read);
            return Step::End;
        }
        if (const Step step = carryOut(record); step != Step::Next)
            return step;
    }
    if (!placeCopies())
        return Step::End;
    log_.closeReading();
    states_.close();
    return Step::Next;
}

// A copy waits in the batch for the sync that comes before its name; a
// rename or move is done at once.
Step BatchRun::carryOut(const PlannedRename &record)
{
    const qint64 number = counters_.PlannedCount;
    if (record.OldPath == record.NewPath) {
        // The file already carries its new name: nothing is to be done.
        const FileError found = pathExists(record.OldPath) ? FileError::none() : FileError::withCode(FileNotFound);
        if (!note(number, found, RecordState::Renamed))
            return Step::End;
    } else if (host_.currentJob().CopyToDestination) {
        const FileError staged = copies_.add(record.OldPath, record.NewPath, number);
        if ((staged.failed() && !note(number, staged, RecordState::Copied)) || (copies_.full() && !placeCopies()))
            return Step::End;
    } else {
        const FileError moved =
            moveFile(record.OldPath, record.NewPath, [&] { states_.set(number, RecordState::CopyPlaced); });
        if (!note(number, moved, RecordState::Renamed))
            return Step::End;
    }
    host_.setProgress(progress::Renaming, ++counters_.PlannedCount);
    host_.processEvents();
    if (!host_.stopRequested())
        return Step::Next;
    if (!placeCopies())
        return Step::End;
    closeAllFiles();
    RollBackRun(host_, log_.path(), counters_.PlannedCount);
    return Step::Stop;
}

bool BatchRun::placeCopies()
{
    bool passedOver = true;
    copies_.place([&](qint64 record, const FileError &result) {
        passedOver = passedOver && note(record, result, RecordState::Copied);
    });
    return passedOver;
}

// Counts one record's outcome and notes it beside the log; a failure the run
// does not pass over ends the program.
bool BatchRun::note(qint64 record, const FileError &result, RecordState done)
{
    if (!RunErrorRule.passesOver(result)) {
        endWithGeneralError(host_, result);
        return false;
    }
    ++(result.nameNotHeld ? report_.leftAlone : result.failed() ? report_.passedOver : report_.done);
    states_.set(record, result.failed() ? RecordState::PassedOver : done);
    return true;
}

void BatchRun::complete()
{
    host_.setRunInProgress(false);
    host_.setStatus(QStringLiteral("操作完成！一共重命名了") + signSpaced(report_.done) + QStringLiteral(" 个文件"));
    QString prompt = QStringLiteral("操作已经完成！总共重命名了") + signSpaced(report_.done)
                     + QStringLiteral(" 个扩展名为 ") + start_.FileType + QStringLiteral(" 的文件！");
    if (report_.passedOver > 0)
        prompt += QStringLiteral("\n\n有") + signSpaced(report_.passedOver)
                  + QStringLiteral(" 个文件未能重命名（新文件名已被占用、文件已不存在或无法访问），仍然保留原来的文件名。");
    if (report_.leftAlone > 0)
        prompt += QStringLiteral("\n\n有") + signSpaced(report_.leftAlone)
                  + QStringLiteral(" 个文件的名称含有无法记录或不能用于文件名的字符，没有更改。");
    const bool clean = report_.passedOver == 0 && report_.leftAlone == 0;
    host_.showMessage({prompt, QStringLiteral("操作完成"), clean ? MessageIcon::Information : MessageIcon::Exclamation,
                       MessageButtons::Ok, MessageAnswer::Ok});
    host_.setStartEnabled(true);
}

// No file has been touched yet, so an unfinished log of this run is of no use
// and goes; an earlier run's log that could not be opened stays.
void BatchRun::refuseLog(const FileError &error)
{
    closeAllFiles();
    if (!log_.path().isEmpty())
        DiscardRenameLog(log_.path());
    host_.setRunInProgress(false);
    host_.setStartEnabled(true);
    const QString prompt = QStringLiteral("无法在目标文件夹中建立重命名日志，没有更改任何文件。\n\n") + report_.logPath
                           + QStringLiteral("\n\n") + error.description;
    host_.showMessage(refusal(prompt, QStringLiteral("目录")));
}

} // namespace

RunReport StartRun(RunHost &host)
{
    const RenameJob job = host.currentJob();
    if (ValidateJob(job, host) == Verdict::Stop)
        return {};
    return RunBatch(host, job);
}

RunReport RunBatch(RunHost &host, const RenameJob &job)
{
    return BatchRun(host, job).run();
}

} // namespace quorin

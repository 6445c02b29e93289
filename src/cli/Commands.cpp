// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "Commands.h"

#include "CliHost.h"
#include "PlanPrinter.h"

#include "folders/Survey.h"
#include "log/Restore.h"
#include "options/NameEditRules.h"
#include "platform/FileOperations.h"
#include "run/PreviewRun.h"
#include "run/RunBatch.h"

namespace quorin::cli {
namespace {

// The window refuses such an edit before its Start button can be clicked.
bool editRefused(CliHost &host, const RenameJob &job)
{
    if (!job.AdvancedEdit)
        return false;
    const auto refused = NameEditRefusal(job.Edit);
    if (refused)
        host.showMessage(*refused);
    return refused.has_value();
}

void warnIfNoFileOfType(CliHost &host, const RenameJob &job, qint64 filesOfType)
{
    if (filesOfType > 0)
        return;
    host.say(QStringLiteral("quorin-cli: warning: no file of type %1 in %2%3")
                 .arg(job.FileType.toUpper(), job.SourceFolder,
                      job.IncludeSubfolders ? QStringLiteral(" or its sub-folders") : QString()));
}

QString previewSummary(const RenameJob &job, const PreviewReport &report)
{
    const QString done = job.CopyToDestination ? QStringLiteral("copied")
                         : job.MoveToDestination ? QStringLiteral("moved")
                                                 : QStringLiteral("renamed");
    return QStringLiteral("dry run, nothing changed: %1 files would be %2, %3 passed over (the new name taken), "
                          "%4 left alone (a name no log can hold)")
        .arg(report.done)
        .arg(done)
        .arg(report.passedOver)
        .arg(report.leftAlone);
}

} // namespace

ExitStatus survey(const Invocation &call)
{
    CliHost host(call.job, call.yes);
    const SurveyResult result = SurveyFolder(host, call.path);
    QByteArray out = result.summary.toUtf8() + '\n';
    for (const QString &type : result.sortedTypes)
        out += type.toUtf8() + '\n';
    host.printResult(out);
    // Standard output now holds the summary the status line showed.
    host.dropStatus();
    return AllHandled;
}

ExitStatus run(const Invocation &call)
{
    CliHost host(call.job, call.yes);
    if (editRefused(host, call.job))
        return Refused;
    CliHost::catchInterrupt();
    const RunReport report = StartRun(host);
    if (report.ending == RunReport::Ending::Completed)
        warnIfNoFileOfType(host, call.job, report.filesOfType);
    // Only a log this run wrote is a result: a refused run names none, not
    // even an earlier run's under the same name.
    const bool ownLog = report.ending == RunReport::Ending::Completed || report.ending == RunReport::Ending::Stopped;
    if (ownLog && pathExists(report.logPath))
        host.printResult(report.logPath.toUtf8() + '\n');
    switch (report.ending) {
    case RunReport::Ending::Completed: return report.everyFileHandled() ? AllHandled : SomeFilesKept;
    case RunReport::Ending::Stopped: return Stopped;
    case RunReport::Ending::Ended: return Failed;
    case RunReport::Ending::Refused:
    case RunReport::Ending::LogRefused: break;
    }
    return Refused;
}

ExitStatus preview(const Invocation &call)
{
    CliHost host(call.job, call.yes);
    if (editRefused(host, call.job))
        return Refused;
    CliHost::catchInterrupt();
    host.stopOnEveryInterrupt();
    PlanPrinter printer(host, call.nulSeparated);
    const PreviewReport report = PreviewRun(host, printer);
    switch (report.ending) {
    case PreviewReport::Ending::Refused: return Refused;
    case PreviewReport::Ending::Stopped: host.say(QStringLiteral("quorin-cli: dry run stopped by Ctrl+C")); return Stopped;
    case PreviewReport::Ending::PrinterFailed:
        host.say(QStringLiteral("quorin-cli: cannot write the plan: ") + report.printerError.description);
        return Failed;
    case PreviewReport::Ending::Completed: break;
    }
    warnIfNoFileOfType(host, call.job, report.filesOfType);
    host.say(previewSummary(call.job, report));
    return AllHandled;
}

ExitStatus restore(const Invocation &call)
{
    CliHost host(call.job, call.yes);
    CliHost::catchInterrupt();
    host.stopOnEveryInterrupt();
    const RestoreReport report = RestoreChosenLog(host, call.path);
    switch (report.ending) {
    case RestoreReport::Ending::Completed: return report.everyFileRestored() ? AllHandled : SomeFilesKept;
    case RestoreReport::Ending::Stopped:
        host.say(QStringLiteral("quorin-cli: restore stopped by Ctrl+C; the log is kept, and running the same "
                                "restore again finishes it"));
        return Stopped;
    case RestoreReport::Ending::Ended: return Failed;
    case RestoreReport::Ending::Refused:
    case RestoreReport::Ending::Declined: break;
    }
    return Refused;
}

} // namespace quorin::cli

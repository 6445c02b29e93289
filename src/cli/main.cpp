// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CliHost.h"
#include "CommandLine.h"

#include "run/RunBatch.h"
#include "folders/Survey.h"
#include "log/Restore.h"
#include "options/NameEditRules.h"
#include "platform/FileOperations.h"

#include <cstdio>

using namespace quorin;
using namespace quorin::cli;

namespace {

enum ExitStatus {
    AllHandled = 0,
    SomeFilesKept = 1,
    UsageError = 2,
    Refused = 3,
    Stopped = 4,
};

int survey(const Invocation &call)
{
    CliHost host(call.job, call.yes);
    const SurveyResult result = SurveyFolder(host, call.path);
    std::printf("%s\n", qUtf8Printable(result.summary));
    for (const QString &type : result.sortedTypes)
        std::printf("%s\n", qUtf8Printable(type));
    return AllHandled;
}

int run(const Invocation &call)
{
    CliHost host(call.job, call.yes);
    if (call.job.AdvancedEdit) {
        if (const auto refused = NameEditRefusal(call.job.Edit)) {
            host.showMessage(*refused);
            return Refused;
        }
    }
    CliHost::catchInterrupt();
    const RunReport report = StartRun(host);
    if (!report.logPath.isEmpty() && pathExists(report.logPath))
        std::printf("%s\n", qUtf8Printable(report.logPath));
    switch (report.ending) {
    case RunReport::Ending::Completed: return report.everyFileHandled() ? AllHandled : SomeFilesKept;
    case RunReport::Ending::Stopped: return Stopped;
    case RunReport::Ending::Ended: return CliHost::GeneralErrorStatus;
    case RunReport::Ending::Refused:
    case RunReport::Ending::LogRefused: break;
    }
    return Refused;
}

int restore(const Invocation &call)
{
    CliHost host(call.job, call.yes);
    const RestoreReport report = RestoreChosenLog(host, call.path);
    switch (report.ending) {
    case RestoreReport::Ending::Completed: return report.everyFileRestored() ? AllHandled : SomeFilesKept;
    case RestoreReport::Ending::Ended: return CliHost::GeneralErrorStatus;
    case RestoreReport::Ending::Refused:
    case RestoreReport::Ending::Declined: break;
    }
    return Refused;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Invocation call = parseCommandLine(arguments);
    if (!call.usageError.isEmpty()) {
        std::fprintf(stderr, "quorin-cli: %s\n%s", qUtf8Printable(call.usageError), UsageText);
        return UsageError;
    }
    switch (call.command) {
    case Command::Help: std::fputs(UsageText, stdout); return AllHandled;
    case Command::Version: std::puts("quorin-cli 1.25"); return AllHandled;
    case Command::Run: return run(call);
    case Command::Restore: return restore(call);
    case Command::Survey: return survey(call);
    }
    return UsageError;
}

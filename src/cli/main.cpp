// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "Commands.h"
#include "GivenPaths.h"
#include "HelpText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

using namespace quorin::cli;

namespace {

ExitStatus usageError(const QString &message, bool withSynopsis)
{
    std::fprintf(stderr, "quorin-cli: %s\n%s", qUtf8Printable(message), withSynopsis ? UsageText : "");
    return UsageError;
}

ExitStatus printHelp(Command topic)
{
    const QByteArray text = helpText(topic);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return AllHandled;
}

ExitStatus perform(const Invocation &call)
{
    if (!call.usageError.isEmpty())
        return usageError(call.usageError, true);
    if (const QString unusable = unusablePath(call); !unusable.isEmpty())
        return usageError(unusable, false);
    switch (call.command) {
    case Command::Help: return printHelp(call.helpTopic);
    case Command::Version: std::puts("quorin-cli 1.25"); return AllHandled;
    case Command::Run: return call.dryRun ? preview(call) : run(call);
    case Command::Restore: return restore(call);
    case Command::Survey: return survey(call);
    }
    return UsageError;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ExitStatus status = perform(parseCommandLine(arguments));
    // Results held in the buffer must not be lost without a word.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "quorin-cli: cannot write to standard output: %s\n", std::strerror(errno));
        return status == AllHandled ? Failed : status;
    }
    return status;
}

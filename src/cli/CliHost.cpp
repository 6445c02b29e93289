// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CliHost.h"

#include "TerminalQuestion.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace quorin::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

bool isQuestion(const MessageBox &box)
{
    return box.buttons != MessageButtons::Ok;
}

MessageAnswer answer(MessageButtons buttons, bool yes)
{
    if (buttons == MessageButtons::YesNo)
        return yes ? MessageAnswer::Yes : MessageAnswer::No;
    return yes ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace

CliHost::CliHost(const RenameJob &job, bool yes)
    : job_(job), yes_(yes), stdoutIsTerminal_(isatty(STDOUT_FILENO) == 1),
      stdinIsTerminal_(isatty(STDIN_FILENO) == 1)
{
}

CliHost::~CliHost() { status_.finish(); }

void CliHost::catchInterrupt()
{
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

// An interrupt outside the run's own steps (the roll-back among them) is let
// go, as the window lets Esc go when no run is in progress.
void CliHost::processEvents()
{
    if (!interrupted)
        return;
    interrupted = 0;
    if (runInProgress_ || stopsAnyTime_)
        stop_ = true;
}

void CliHost::endProgram()
{
    status_.finish();
    std::fflush(nullptr);
    std::_Exit(GeneralErrorStatus);
}

// A question shows its text, then "[y/N]" where the answer is typed.
MessageAnswer CliHost::showMessage(const MessageBox &box)
{
    status_.clear();
    const QString prompt = QString(box.prompt).replace(u'\r', u'\n');
    const QByteArray text = (box.title + u'\n' + prompt).toUtf8();
    const bool asked = isQuestion(box) && !yes_ && stdinIsTerminal_;
    if (asked) {
        const bool yes = askYes(text + " [y/N] ");
        status_.superseded();
        return answer(box.buttons, yes);
    }
    std::fprintf(stderr, "%s\n", text.constData());
    std::fflush(stderr);
    status_.superseded();
    if (!isQuestion(box))
        return MessageAnswer::Ok;
    return answer(box.buttons, confirmed());
}

bool CliHost::confirmed()
{
    if (yes_)
        return true;
    std::fputs("quorin-cli: not asked, as standard input is not a terminal: answered no; give --yes to answer yes\n",
               stderr);
    return false;
}

bool CliHost::printResult(const QByteArray &bytes)
{
    if (stdoutIsTerminal_)
        status_.clear();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size());
}

void CliHost::say(const QString &line)
{
    status_.finish();
    std::fprintf(stderr, "%s\n", qUtf8Printable(line));
    std::fflush(stderr);
}

} // namespace quorin::cli

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CliHost.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace quorin::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

} // namespace

CliHost::CliHost(const RenameJob &job, bool yes) : job_(job), yes_(yes) {}

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
    if (runInProgress_)
        stop_ = true;
}

void CliHost::endProgram()
{
    status_.finish();
    std::fflush(nullptr);
    std::_Exit(GeneralErrorStatus);
}

MessageAnswer CliHost::showMessage(const MessageBox &box)
{
    status_.breakLine();
    std::fprintf(stderr, "%s\n%s\n", qUtf8Printable(box.title), qUtf8Printable(QString(box.prompt).replace(u'\r', u'\n')));
    std::fflush(stderr);
    switch (box.buttons) {
    case MessageButtons::YesNo: return yes_ ? MessageAnswer::Yes : MessageAnswer::No;
    case MessageButtons::OkCancel: return yes_ ? MessageAnswer::Ok : MessageAnswer::Cancel;
    case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

} // namespace quorin::cli

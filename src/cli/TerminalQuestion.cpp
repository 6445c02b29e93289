// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TerminalQuestion.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <cstdio>
#include <unistd.h>

namespace quorin::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

// False when Ctrl+C or the end of input came before Enter. Ctrl+C is held back
// from the question's printing until the wait for input, which lets it through
// and ends at once: one typed at any moment answers the question, never the
// program's earlier handler.
bool askLine(const QByteArray &question, QByteArray &line)
{
    interrupted = 0;
    struct sigaction action = {};
    struct sigaction before = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &before);
    sigset_t blocked, waiting;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigprocmask(SIG_BLOCK, &blocked, &waiting);
    sigdelset(&waiting, SIGINT);
    std::fputs(question.constData(), stderr);
    std::fflush(stderr);
    bool answered = false;
    for (;;) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = ppoll(&input, 1, nullptr, &waiting);
        if (ready < 0 && errno == EINTR && !interrupted)
            continue;
        char c = 0;
        if (ready < 0 || ::read(STDIN_FILENO, &c, 1) != 1)
            break;
        if (c == '\n') {
            answered = true;
            break;
        }
        line += c;
    }
    sigprocmask(SIG_UNBLOCK, &blocked, nullptr);
    sigaction(SIGINT, &before, nullptr);
    return answered;
}

} // namespace

bool askYes(const QByteArray &question)
{
    QByteArray line;
    if (!askLine(question, line)) {
        // The terminal's cursor is still after the question.
        std::fputc('\n', stderr);
        return false;
    }
    const QByteArray answer = line.trimmed().toLower();
    return answer == "y" || answer == "yes";
}

} // namespace quorin::cli

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TerminalQuestion.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace quorin::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

// False when Ctrl+C or the end of input came before Enter. Without
// SA_RESTART, Ctrl+C ends the read at once instead of the program, whatever the
// program did with it before the question.
bool readLine(QByteArray &line)
{
    interrupted = 0;
    struct sigaction action = {};
    struct sigaction before = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &before);
    ssize_t got = 0;
    char c = 0;
    while ((got = ::read(STDIN_FILENO, &c, 1)) == 1 || (got < 0 && errno == EINTR && !interrupted)) {
        if (got == 1 && c == '\n')
            break;
        if (got == 1)
            line += c;
    }
    sigaction(SIGINT, &before, nullptr);
    return got == 1;
}

} // namespace

bool readYes()
{
    QByteArray line;
    if (!readLine(line)) {
        // The terminal's cursor is still after the question.
        std::fputc('\n', stderr);
        return false;
    }
    const QByteArray answer = line.trimmed().toLower();
    return answer == "y" || answer == "yes";
}

} // namespace quorin::cli

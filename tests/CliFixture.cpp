// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CliFixture.h"

#include <QDeadlineTimer>

#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace quorin::test {
namespace {

constexpr int TimeoutMs = 60000;

// Reads what the terminal shows until `until` appears, or with an empty
// `until` until the program has closed the terminal.
bool readUntil(int terminal, QByteArray &shown, const QByteArray &until)
{
    for (QDeadlineTimer deadline(TimeoutMs); until.isEmpty() || !shown.contains(until);) {
        if (deadline.hasExpired())
            return false;
        pollfd ready{terminal, POLLIN, 0};
        if (::poll(&ready, 1, 1000) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = ::read(terminal, buffer, sizeof buffer);
        // Once the program has closed its side the read fails with EIO.
        if (got <= 0)
            return until.isEmpty();
        shown.append(buffer, got);
    }
    return true;
}

} // namespace

void CliFixture::start(QProcess &process, const QStringList &args) const
{
    process.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.file("config"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUORIN_CLI_PATH), args);
    process.waitForStarted();
}

Outcome CliFixture::cli(const QStringList &args) const
{
    QProcess process;
    start(process, args);
    process.closeWriteChannel();
    process.waitForFinished(TimeoutMs);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

Outcome CliFixture::onTerminal(const QStringList &args, const QByteArray &shown, const QByteArray &typed) const
{
    int terminal = -1, side = -1;
    if (::openpty(&terminal, &side, nullptr, nullptr, nullptr) != 0)
        return {};
    QProcess process;
    // The program's own session, with the terminal's far side as its
    // controlling terminal and all three standard streams.
    process.setChildProcessModifier([terminal, side] {
        ::setsid();
        ::ioctl(side, TIOCSCTTY, 0);
        for (int stream : {0, 1, 2})
            ::dup2(side, stream);
        ::close(terminal);
    });
    start(process, args);
    ::close(side);
    Outcome outcome;
    if (!typed.isEmpty() && readUntil(terminal, outcome.out, shown))
        ::write(terminal, typed.constData(), size_t(typed.size()));
    readUntil(terminal, outcome.out, {});
    ::close(terminal);
    process.waitForFinished(TimeoutMs);
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return outcome;
}

QStringList screenLines(const QByteArray &written)
{
    QStringList lines;
    for (const QString &row : QString::fromUtf8(written).split(u'\n')) {
        QString line;
        qsizetype column = 0;
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (row[i] == u'\r') {
                column = 0;
            } else if (row.mid(i, 3) == QStringLiteral("\033[K")) {
                line.truncate(column);
                i += 2;
            } else {
                line = line.left(column) + row[i] + line.mid(column + 1);
                ++column;
            }
        }
        lines << line;
    }
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace quorin::test

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "StatusLine.h"

#include "engine/RunHost.h"

#include <QByteArray>

namespace quorin::cli {

// The engine's host on a terminal: message boxes go to standard error as their
// title and prompt; a question is asked on a terminal, answered by --yes, or
// answered no; Ctrl+C during a run is Esc answered OK.
class CliHost final : public RunHost {
public:
    CliHost(const RenameJob &job, bool yes);
    ~CliHost() override;
    Q_DISABLE_COPY_MOVE(CliHost)

    // From now on Ctrl+C asks the run to stop instead of ending the program.
    static void catchInterrupt();
    // Ctrl+C stops whatever the engine does, not only a run: a restore too.
    void stopOnEveryInterrupt() { stopsAnyTime_ = true; }

    RenameJob currentJob() override { return job_; }
    void setStatus(const QString &text) override { status_.show(text); }
    void setProgress(const ProgressText &text, qint64 count) override { status_.show(text, count); }
    void processEvents() override;
    bool stopRequested() override { return stop_; }
    void clearStopRequested() override { stop_ = false; }
    void setRunInProgress(bool on) override { runInProgress_ = on; }
    void setStartEnabled(bool) override {}
    void setRestoreEnabled(bool) override {}
    void endProgram() override;
    QDateTime now() override { return QDateTime::currentDateTime(); }
    MessageAnswer showMessage(const MessageBox &box) override;

    // A result on standard output; false when it could not be written.
    bool printResult(const QByteArray &bytes);
    // The command line's own words on standard error, after the last status text.
    void say(const QString &line);
    // The result printed stands in for the status line's last text.
    void dropStatus() { status_.superseded(); }

    static constexpr int GeneralErrorStatus = 5;

private:
    bool confirmed();

    RenameJob job_;
    bool yes_;
    bool stop_ = false;
    bool runInProgress_ = false;
    bool stopsAnyTime_ = false;
    bool stdoutIsTerminal_;
    bool stdinIsTerminal_;
    StatusLine status_;
};

} // namespace quorin::cli

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "ScriptedPrompter.h"

#include "engine/RunHost.h"

#include <QStringList>

#include <functional>

namespace quorin::test {

// A window for the engine to run under: the settings are whatever `job` holds
// when the engine asks, every status line is recorded, boxes are answered by
// `prompter`, and a test can act from inside the event yields (change a
// setting, press Esc, remove a file).
class FakeHost final : public RunHost {
public:
    MessageAnswer showMessage(const MessageBox &box) override { return prompter.showMessage(box); }
    RenameJob currentJob() override { return job; }
    void setStatus(const QString &text) override { statuses.append(text); }
    void setProgress(const ProgressText &text, qint64 count) override { statuses.append(text.format(count)); }
    void processEvents() override
    {
        ++eventsProcessed;
        if (onProcessEvents)
            onProcessEvents();
    }
    bool stopRequested() override { return stop; }
    void clearStopRequested() override { stop = false; }
    void setRunInProgress(bool on) override { runInProgress = on; }
    void setStartEnabled(bool on) override { startEnabled = on; }
    void setRestoreEnabled(bool on) override { restoreEnabled = on; }
    void endProgram() override { ended = true; }
    QDateTime now() override { return clock; }

    RenameJob job;
    ScriptedPrompter prompter;
    QStringList statuses;
    int eventsProcessed = 0;
    std::function<void()> onProcessEvents;
    bool stop = false;
    bool runInProgress = false;
    bool startEnabled = false;
    bool restoreEnabled = true;
    bool ended = false;
    QDateTime clock;
};

} // namespace quorin::test

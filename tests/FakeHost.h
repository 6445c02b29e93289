// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "ScriptedPrompter.h"

#include "engine/RunHost.h"

#include <QStringList>

#include <functional>

namespace quorin::test {

// Stands in for the window: holds the settings, records what the engine shows,
// answers boxes from a script, and lets a test act inside every yield.
class FakeHost final : public RunHost {
public:
    RenameJob job;
    QStringList statuses;
    const ProgressText *progressKind = nullptr;
    qint64 progressCount = 0;
    qint64 maxRestoringCount = 0;
    ScriptedPrompter prompter;
    bool stop = false;
    bool runInProgress = false;
    bool startEnabled = true;
    bool restoreEnabled = true;
    bool ended = false;
    int yields = 0;
    std::function<void(FakeHost &)> onYield;

    RenameJob currentJob() override { return job; }
    void setStatus(const QString &text) override { statuses << text; }
    void setProgress(const ProgressText &text, qint64 count) override
    {
        progressKind = &text;
        progressCount = count;
        if (&text == &progress::Restoring)
            maxRestoringCount = qMax(maxRestoringCount, count);
        statuses << text.format(count);
    }
    void processEvents() override
    {
        ++yields;
        if (onYield)
            onYield(*this);
    }
    bool stopRequested() override { return stop; }
    void clearStopRequested() override { stop = false; }
    void setRunInProgress(bool on) override { runInProgress = on; }
    void setStartEnabled(bool on) override { startEnabled = on; }
    void setRestoreEnabled(bool on) override { restoreEnabled = on; }
    void endProgram() override { ended = true; }
    QDateTime now() override { return QDateTime(QDate(2026, 12, 7), QTime(8, 30, 0)); }
    MessageAnswer showMessage(const MessageBox &box) override { return prompter.showMessage(box); }

    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.last(); }
    const MessageBox *lastBox() const { return prompter.shown.isEmpty() ? nullptr : &prompter.shown.last(); }
    bool inPass(const ProgressText &kind) const { return progressKind == &kind; }
};

} // namespace quorin::test

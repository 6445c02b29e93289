// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "RenameJob.h"
#include "platform/MessageBox.h"

#include <QDateTime>
#include <QString>

namespace quorin {

// A running status text: a fixed text, a count, a fixed text. A host formats it
// only when it actually shows it, since formatting one for every file of a large
// folder costs as much as listing the folder.
struct ProgressText final {
    const char16_t *before;
    const char16_t *after;
    // Running counts and the run's totals keep a space where a sign would stand;
    // the survey's counts are bare digits.
    bool signSpace;

    QString format(qint64 count) const;
};

namespace progress {
inline constexpr ProgressText Planning{u"正在处理第", u" 个文件", true};
inline constexpr ProgressText Renaming{u"正在重命名第", u" 个文件", true};
inline constexpr ProgressText Restoring{u"正在恢复第", u" 个文件", true};
inline constexpr ProgressText Surveying{u"正在统计第", u" 个文件", true};
} // namespace progress

// A count as the program's totals show it: a space where a sign would stand.
QString signSpaced(qint64 count);

// What the engine needs from the window that runs it. The window implements it;
// so do the command line and the tests. The flags live with the host.
class RunHost : public MessagePrompter {
public:
    // The window's settings as they stand right now.
    virtual RenameJob currentJob() = 0;
    virtual void setStatus(const QString &text) = 0;
    virtual void setProgress(const ProgressText &text, qint64 count) = 0;
    // Lets the window repaint and handle input, Esc among it.
    virtual void processEvents() = 0;
    virtual bool stopRequested() = 0;
    virtual void clearStopRequested() = 0;
    virtual void setRunInProgress(bool on) = 0;
    virtual void setStartEnabled(bool on) = 0;
    virtual void setRestoreEnabled(bool on) = 0;
    // Ends the program after the general error box; open files are already closed.
    virtual void endProgram() = 0;
    virtual QDateTime now() = 0;
};

} // namespace quorin

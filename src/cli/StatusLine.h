// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RunHost.h"

#include <QString>

#include <chrono>

namespace quorin::cli {

// The status line on standard error. On a terminal it is redrawn in place at
// most ten times a second; otherwise only the last text is printed. Either way
// the last text always appears. Texts are formatted only when drawn.
class StatusLine final {
public:
    StatusLine();
    void show(const QString &text);
    void show(const ProgressText &text, qint64 count);
    // Ends a line drawn in place so that other output starts on a line of its own.
    void breakLine();
    void finish();

private:
    void drawIfDue();
    void draw();
    QString pendingText() const;

    bool terminal_;
    bool pending_ = false;
    bool drawnInPlace_ = false;
    QString text_;
    const ProgressText *progress_ = nullptr;
    qint64 count_ = 0;
    std::chrono::steady_clock::time_point lastDraw_{};
};

} // namespace quorin::cli

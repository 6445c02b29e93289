// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RunHost.h"

#include <QString>

#include <chrono>

namespace quorin::cli {

// The status line on standard error. On a terminal it is drawn in place at
// most ten times a second and erased before any other output; elsewhere it is
// not drawn while it changes, so a pipe and a terminal get the same lines.
// Texts are formatted only when drawn. A status text that nothing was printed
// after is printed as a line of its own at the end: it is the only word of how
// a stopped run ended. Running counts never are.
class StatusLine final {
public:
    StatusLine();
    void show(const QString &text);
    void show(const ProgressText &text, qint64 count);
    // Erases the line drawn in place, so that other output starts at the
    // beginning of a clean line.
    void clear();
    // Something was printed that stands in for the latest status text.
    void superseded() { unsaid_ = false; }
    void finish();

private:
    void drawIfDue();
    void draw();
    QString pendingText() const;

    bool terminal_;
    bool drawnInPlace_ = false;
    bool unsaid_ = false;
    QString text_;
    const ProgressText *progress_ = nullptr;
    qint64 count_ = 0;
    std::chrono::steady_clock::time_point lastDraw_{};
};

} // namespace quorin::cli

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RunHost.h"

#include <QElapsedTimer>

#include <chrono>

class QLabel;

namespace quorin {

// The status line under a long operation. Handling the window's events and
// repainting after every file would cost several times the file work itself,
// so a running count is only noted, and the window handles its events at the
// display's pace; the count is written into the label before the window is
// painted or anything is shown over it.
class PacedStatus final {
public:
    PacedStatus(QLabel &label, std::chrono::milliseconds interval);

    void show(const QString &text);
    void showProgress(const ProgressText &text, qint64 count);
    // Writes a noted count into the label.
    void flush();
    // Lets the window repaint and handle input, Esc among it, when the interval
    // has passed since it last did.
    void yield();

private:
    QLabel &label_;
    const qint64 intervalMs_;
    QElapsedTimer sinceYield_;
    const ProgressText *pending_ = nullptr;
    qint64 pendingCount_ = 0;
};

} // namespace quorin

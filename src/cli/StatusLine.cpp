// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "StatusLine.h"

#include <cstdio>
#include <unistd.h>

namespace quorin::cli {
namespace {

constexpr auto RedrawInterval = std::chrono::milliseconds(100);

} // namespace

StatusLine::StatusLine() : terminal_(isatty(STDERR_FILENO) == 1) {}

void StatusLine::show(const QString &text)
{
    text_ = text;
    progress_ = nullptr;
    pending_ = true;
    drawIfDue();
}

void StatusLine::show(const ProgressText &text, qint64 count)
{
    progress_ = &text;
    count_ = count;
    pending_ = true;
    drawIfDue();
}

QString StatusLine::pendingText() const
{
    return progress_ ? progress_->format(count_) : text_;
}

void StatusLine::drawIfDue()
{
    if (!terminal_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDraw_ < RedrawInterval)
        return;
    lastDraw_ = now;
    draw();
}

void StatusLine::draw()
{
    std::fprintf(stderr, "\r%s\033[K", qUtf8Printable(pendingText()));
    std::fflush(stderr);
    pending_ = false;
    drawnInPlace_ = true;
}

// The line left on screen shows the latest text, not the last one drawn in time.
void StatusLine::breakLine()
{
    if (!drawnInPlace_)
        return;
    if (pending_)
        draw();
    std::fputc('\n', stderr);
    drawnInPlace_ = false;
}

void StatusLine::finish()
{
    if (pending_ && terminal_)
        draw();
    else if (pending_)
        std::fprintf(stderr, "%s\n", qUtf8Printable(pendingText()));
    pending_ = false;
    breakLine();
}

} // namespace quorin::cli

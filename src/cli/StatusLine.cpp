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
    unsaid_ = true;
    drawIfDue();
}

void StatusLine::show(const ProgressText &text, qint64 count)
{
    progress_ = &text;
    count_ = count;
    unsaid_ = false;
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
    drawnInPlace_ = true;
}

void StatusLine::clear()
{
    if (!drawnInPlace_)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    drawnInPlace_ = false;
}

void StatusLine::finish()
{
    clear();
    if (unsaid_)
        std::fprintf(stderr, "%s\n", qUtf8Printable(text_));
    std::fflush(stderr);
    unsaid_ = false;
}

} // namespace quorin::cli

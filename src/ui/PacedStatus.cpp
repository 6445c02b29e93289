// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "PacedStatus.h"

#include <QCoreApplication>
#include <QLabel>

namespace quorin {

PacedStatus::PacedStatus(QLabel &label, std::chrono::milliseconds interval)
    : label_(label), intervalMs_(interval.count())
{
    sinceYield_.start();
}

void PacedStatus::show(const QString &text)
{
    pending_ = nullptr;
    label_.setText(text);
}

void PacedStatus::showProgress(const ProgressText &text, qint64 count)
{
    pending_ = &text;
    pendingCount_ = count;
}

void PacedStatus::flush()
{
    if (!pending_)
        return;
    label_.setText(pending_->format(pendingCount_));
    pending_ = nullptr;
}

void PacedStatus::yield()
{
    if (sinceYield_.elapsed() < intervalMs_)
        return;
    flush();
    QCoreApplication::processEvents();
    sinceYield_.start();
}

} // namespace quorin

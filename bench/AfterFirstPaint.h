// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>

// Calls its action once, after the widget it watches has been painted for the
// first time: where the start-up benchmarks stop their clock, and where the
// operation benchmarks start theirs, so that no operation pays for the
// window's first paint.
class AfterFirstPaint final : public QObject {
public:
    explicit AfterFirstPaint(std::function<void()> action) : action_(std::move(action)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && action_)
            QTimer::singleShot(0, qApp, std::exchange(action_, nullptr));
        return false;
    }

private:
    std::function<void()> action_;
};

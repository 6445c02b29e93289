// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

// Ends the program once the widget it watches has been painted for the first
// time: where the start-up benchmarks stop their clock.
class QuitWhenPainted final : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }
};

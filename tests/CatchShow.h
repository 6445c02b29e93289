// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace quorin::test {

// Acts on each modal dialog of type T once its own event loop runs: a test
// answers the real dialog there, since the code that opened it waits. The
// action must close the dialog, or the test never returns.
template <typename T>
class CatchShow final : public QObject {
public:
    explicit CatchShow(std::function<void(T &)> action) : action_(std::move(action)) { qApp->installEventFilter(this); }

    int shown = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (T *dialog = qobject_cast<T *>(watched)) {
            ++shown;
            QTimer::singleShot(0, this, [this, target = QPointer<T>(dialog)] {
                if (target)
                    action_(*target);
            });
        }
        return false;
    }

private:
    std::function<void(T &)> action_;
};

// A control of a dialog by its object name; a missing one ends the test program loudly.
template <typename T = QWidget>
T &child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s of the expected kind", name);
    return *found;
}

} // namespace quorin::test

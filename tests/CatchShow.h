// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace quorin::test {

// Acts on each modal dialog of type T once its own event loop runs: a test
// answers the real dialog there, since the code that opened it waits. A dialog
// the action leaves open fails the test and is turned down, so that the code
// waiting on it returns.
template <typename T>
class CatchShow final : public QObject {
public:
    explicit CatchShow(std::function<void(T &)> action) : action_(std::move(action)) { qApp->installEventFilter(this); }

    int shown = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (T *dialog = event->type() == QEvent::Show ? qobject_cast<T *>(watched) : nullptr) {
            ++shown;
            QTimer::singleShot(0, this, [this, target = QPointer<T>(dialog)] {
                if (target)
                    action_(*target);
                if (target && target->isVisible()) {
                    ADD_FAILURE() << "the dialog was left open";
                    target->reject();
                }
            });
        }
        return false;
    }

private:
    std::function<void(T &)> action_;
};

// A control by its object name; a missing one ends the test program loudly.
template <typename T = QWidget>
T &child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s of the expected kind", name);
    return *found;
}

inline void clickOn(const QObject &parent, const char *name)
{
    QTest::mouseClick(&child<QAbstractButton>(parent, name), Qt::LeftButton);
}

// Shows a top-level widget and waits until the platform has exposed it.
inline void showExposed(QWidget &widget)
{
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        qFatal("a window was never shown");
}

} // namespace quorin::test

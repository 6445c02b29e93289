// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "frmmain.h"
#include "ui_frmmain.h"

#include <QPointer>
#include <QPushButton>

namespace quorin {

// While a survey, a run or a restore is under way, none of the three can be
// started; afterwards each button comes back as the window's state allows.
//
// A disabled button passes the focus on to the next control in tab order,
// which may be 退出: one Space meant for a box would end the program. So a
// button's focus waits on the window itself, where no key starts or ends
// anything, and afterwards goes back to where it was or, from a button, to the
// type list, where the next run is chosen.
class frmmain::LongOperation final {
public:
    explicit LongOperation(frmmain &window) : window_(window), focus_(window.focusWidget())
    {
        if (isButton(focus_))
            window_.centralWidget()->setFocus();
        window_.operationUnderWay_ = true;
        window_.showOperationButtons();
    }
    ~LongOperation()
    {
        window_.status_->flush();
        window_.operationUnderWay_ = false;
        window_.showOperationButtons();
        if (window_.focusWidget() != window_.centralWidget())
            return;
        QWidget *back = focus_ && !isButton(focus_) ? focus_.data() : window_.ui->cboFileType;
        back->setFocus();
    }
    Q_DISABLE_COPY_MOVE(LongOperation)

private:
    static bool isButton(const QWidget *control) { return qobject_cast<const QPushButton *>(control); }

    frmmain &window_;
    QPointer<QWidget> focus_;
};

} // namespace quorin

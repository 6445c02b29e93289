// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "options/NameEdit.h"

#include <QDialog>

#include <memory>

class QRadioButton;

namespace Ui {
class FrmOption;
}

namespace quorin {

class ModalDialogs;

// The advanced name edit lives in this dialog's controls: hiding the dialog
// keeps it, and whoever owns the dialog discards it to go back to the defaults.
class FrmOption final : public QDialog {
    Q_OBJECT

public:
    enum class Outcome { Chosen, Cancelled };

    FrmOption(ModalDialogs &dialogs, QWidget *parent);
    ~FrmOption() override;
    Q_DISABLE_COPY_MOVE(FrmOption)

    // Shows the dialog modally, centred on the screen, until 确定 hides it or
    // 取消 (or a close from the window system) turns it down.
    Outcome ask();
    NameEdit nameEdit() const;
    // The caption of the chosen kind's option button; empty when none is chosen.
    QString kindCaption() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void OptReplace_Click();
    void OptDelMatch_Click();
    void OptAdd_Click();
    void OptDel_Click();
    void CmdOk_Click();
    void CmdCancel_Click();

    const QRadioButton *chosenKind() const;

    std::unique_ptr<Ui::FrmOption> ui;
    ModalDialogs &dialogs_;
};

} // namespace quorin

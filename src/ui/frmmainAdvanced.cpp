// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "Deselect.h"
#include "FrmOption.h"
#include "ui_frmmain.h"

namespace quorin {

// While the advanced edit is on, the numbering scheme's controls are locked and
// lose their placement; switching off unlocks them and brings nothing back.
void frmmain::ChkOption_Click()
{
    const bool on = ui->ChkOption->isChecked();
    if (!on) {
        for (QWidget *control : std::initializer_list<QWidget *>{ui->chkSeries, ui->chkKeepFileName, ui->txtAddString,
                                                                 ui->optPrefix, ui->optSuffix, ui->cboSeries})
            control->setEnabled(true);
        ui->CmdOption->setEnabled(false);
        ui->lblOption->setText(QStringLiteral("没有启用高级选项"));
        return;
    }
    ui->chkSeries->setEnabled(false);
    // Clearing a checked box runs its own rule here, before the rest is locked.
    ui->chkKeepFileName->setChecked(false);
    ui->chkKeepFileName->setEnabled(false);
    ui->txtAddString->setEnabled(false);
    deselect(*ui->optPrefix);
    ui->optPrefix->setEnabled(false);
    deselect(*ui->optSuffix);
    ui->optSuffix->setEnabled(false);
    ui->cboSeries->setEnabled(false);
    ui->CmdOption->setEnabled(true);
    const QString kind = optionDialog().kindCaption();
    ui->lblOption->setText(kind.isEmpty() ? QStringLiteral("没有设置任何选项") : kind);
}

// Usable during a run too: the run is waiting inside one of its yields until
// the dialog is gone, and then reads the edit afresh.
void frmmain::CmdOption_Click()
{
    FrmOption &dialog = optionDialog();
    if (dialog.ask() == FrmOption::Outcome::Chosen)
        ui->lblOption->setText(dialog.kindCaption());
    else
        option_.reset();
}

// Reading the edit with no dialog makes one, hidden, with the defaults.
FrmOption &frmmain::optionDialog()
{
    if (!option_)
        option_ = std::make_unique<FrmOption>(seams_.dialogs, this);
    return *option_;
}

} // namespace quorin

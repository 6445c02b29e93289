// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "Deselect.h"
#include "TextColour.h"
#include "ui_frmmain.h"

namespace quorin {

// A rule hangs on "toggled": it runs when the user clicks and when another rule
// sets the box, and never when the value stays as it was.
void frmmain::connectRules()
{
    connect(ui->chkCopy, &QCheckBox::toggled, this, &frmmain::chkCopy_Click);
    connect(ui->chkMove, &QCheckBox::toggled, this, &frmmain::chkMove_Click);
    connect(ui->chkSubDir, &QCheckBox::toggled, this, &frmmain::chkSubDir_Click);
    connect(ui->chkKeepFileName, &QCheckBox::toggled, this, &frmmain::chkKeepFileName_Click);
    connect(ui->chkModifySuffix, &QCheckBox::toggled, this, &frmmain::chkModifySuffix_Click);
    connect(ui->ChkOption, &QCheckBox::toggled, this, &frmmain::ChkOption_Click);
}

void frmmain::chkCopy_Click() { copyOrMoveRule(*ui->chkCopy, *ui->chkMove); }

void frmmain::chkMove_Click() { copyOrMoveRule(*ui->chkMove, *ui->chkCopy); }

// Copy and move are never both checked; without either, the destination is
// the source folder.
void frmmain::copyOrMoveRule(const QCheckBox &clicked, QCheckBox &other)
{
    if (clicked.isChecked() && other.isChecked())
        other.setChecked(false);
    const bool either = clicked.isChecked() || other.isChecked();
    ui->CmdDestDir->setEnabled(either);
    if (!either)
        ui->txtDestDir->setText(ui->txtSourDir->text());
    if (!clicked.isChecked())
        setStatus(QStringLiteral("等待重命名操作"));
}

// A run over sub-folders always renames in place.
void frmmain::chkSubDir_Click()
{
    const bool subDirs = ui->chkSubDir->isChecked();
    if (subDirs) {
        ui->chkCopy->setChecked(false);
        ui->chkMove->setChecked(false);
    }
    ui->chkCopy->setEnabled(!subDirs);
    ui->chkMove->setEnabled(!subDirs);
}

// Without the old name, the added text is the new name's prefix, so it has no
// place before or after anything.
void frmmain::chkKeepFileName_Click()
{
    const bool dropOldName = ui->chkKeepFileName->isChecked();
    ui->lblName->setText(dropOldName ? QStringLiteral("新文件名前缀") : QStringLiteral("文件名新增字符"));
    setTextColour(*ui->lblName, dropOldName ? QColor(255, 0, 0) : QColor(0, 0, 0));
    if (dropOldName) {
        deselect(*ui->optPrefix);
        deselect(*ui->optSuffix);
    }
    ui->optPrefix->setEnabled(!dropOldName);
    ui->optSuffix->setEnabled(!dropOldName);
    ui->txtAddString->selectAll();
    ui->txtAddString->setFocus();
}

// An unchecked box keeps the typed extension for the next time it is checked.
void frmmain::chkModifySuffix_Click()
{
    const bool modify = ui->chkModifySuffix->isChecked();
    ui->txtNewSuffix->setEnabled(modify);
    if (!modify)
        return;
    ui->txtNewSuffix->selectAll();
    ui->txtNewSuffix->setFocus();
}

// A narrow box shows the whole path when the pointer rests on it.
void frmmain::txtSourDir_MouseMove() { ui->txtSourDir->setToolTip(ui->txtSourDir->text()); }

void frmmain::txtDestDir_MouseMove() { ui->txtDestDir->setToolTip(ui->txtDestDir->text()); }

} // namespace quorin

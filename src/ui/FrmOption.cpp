// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FrmOption.h"

#include "ModalDialogs.h"
#include "ui_FrmOption.h"

#include "options/NameEditRules.h"

#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>

namespace quorin {
namespace {

void focusWhole(QLineEdit &box)
{
    box.selectAll();
    box.setFocus();
}

} // namespace

FrmOption::FrmOption(ModalDialogs &dialogs, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::FrmOption>()), dialogs_(dialogs)
{
    ui->setupUi(this);
    Form_Load();
    connect(ui->OptReplace, &QRadioButton::clicked, this, &FrmOption::OptReplace_Click);
    connect(ui->OptDelMatch, &QRadioButton::clicked, this, &FrmOption::OptDelMatch_Click);
    connect(ui->OptAdd, &QRadioButton::clicked, this, &FrmOption::OptAdd_Click);
    connect(ui->OptDel, &QRadioButton::clicked, this, &FrmOption::OptDel_Click);
    connect(ui->CmdOk, &QPushButton::clicked, this, &FrmOption::CmdOk_Click);
    connect(ui->CmdCancel, &QPushButton::clicked, this, &FrmOption::CmdCancel_Click);
    // A new dialog opens with the focus on 确定, the first control in tab order.
    ui->CmdOk->setFocus();
}

FrmOption::~FrmOption() = default;

// The dialog is left through its two buttons: no close button, no window menu
// and no icon. A close the window system still offers is turned down like 取消.
void FrmOption::Form_Load()
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
}

FrmOption::Outcome FrmOption::ask()
{
    move(screen()->availableGeometry().center() - rect().center());
    return exec() == QDialog::Accepted ? Outcome::Chosen : Outcome::Cancelled;
}

// Esc does not leave the dialog: only its two buttons do.
void FrmOption::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

// Kinds are tested in this order wherever they are tested; the first chosen decides.
const QRadioButton *FrmOption::chosenKind() const
{
    for (const QRadioButton *kind : {ui->OptReplace, ui->OptDelMatch, ui->OptAdd, ui->OptDel})
        if (kind->isChecked())
            return kind;
    return nullptr;
}

QString FrmOption::kindCaption() const
{
    const QRadioButton *kind = chosenKind();
    return kind ? kind->text() : QString();
}

NameEdit FrmOption::nameEdit() const
{
    NameEdit edit;
    const QRadioButton *kind = chosenKind();
    edit.Kind = kind == ui->OptReplace    ? NameEditKind::Replace
                : kind == ui->OptDelMatch ? NameEditKind::DeleteMatch
                : kind == ui->OptAdd      ? NameEditKind::Add
                : kind == ui->OptDel      ? NameEditKind::DeleteCount
                                          : NameEditKind::None;
    edit.FindText = ui->txtReplace->text();
    edit.ReplaceText = ui->txtReplaceAs->text();
    edit.DeleteText = ui->txtDelMatch->text();
    edit.InsertText = ui->txtAdd->text();
    edit.InsertAtFront = ui->OptFront->isChecked();
    edit.DeleteCountText = ui->txtDel->text();
    edit.DeleteAtFront = ui->OptF->isChecked();
    return edit;
}

// Choosing a kind puts the caret where its text is typed.
void FrmOption::OptAdd_Click() { focusWhole(*ui->txtAdd); }

void FrmOption::OptDel_Click() { focusWhole(*ui->txtDel); }

void FrmOption::OptDelMatch_Click() { focusWhole(*ui->txtDelMatch); }

// The first of the two texts still missing; with both typed, the search text.
void FrmOption::OptReplace_Click()
{
    if (ui->txtReplace->text().isEmpty())
        ui->txtReplace->setFocus();
    else if (ui->txtReplaceAs->text().isEmpty())
        ui->txtReplaceAs->setFocus();
    else
        focusWhole(*ui->txtReplace);
}

// The same rule as the command line's: only the chosen kind's texts are checked.
void FrmOption::CmdOk_Click()
{
    if (const auto refused = NameEditRefusal(nameEdit())) {
        dialogs_.showMessage(this, *refused);
        return;
    }
    accept();
}

void FrmOption::CmdCancel_Click() { reject(); }

} // namespace quorin

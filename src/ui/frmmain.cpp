// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "FrmOption.h"
#include "ui_frmmain.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>

namespace quorin {

frmmain::frmmain(WindowSeams seams, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::frmmain>()), seams_(std::move(seams))
{
    ui->setupUi(this);
    status_ = std::make_unique<PacedStatus>(*ui->lblInfo, seams_.repaintInterval);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    placeOnScreen();
    connectHandlers();
    connectRules();
    // The window sees every key before the control that has the focus does,
    // the pointer moving over its folder boxes, and a folder dragged over it.
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    ui->CmdSourDir->setFocus();
}

frmmain::~frmmain() = default;

void frmmain::placeOnScreen()
{
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());
}

void frmmain::connectHandlers()
{
    connect(ui->CmdSourDir, &QPushButton::clicked, this, &frmmain::CmdSourDir_Click);
    connect(ui->CmdDestDir, &QPushButton::clicked, this, &frmmain::CmdDestDir_Click);
    connect(ui->CmdStart, &QPushButton::clicked, this, &frmmain::CmdStart_Click);
    connect(ui->CmdRestore, &QPushButton::clicked, this, &frmmain::CmdRestore_Click);
    connect(ui->CmdExit, &QPushButton::clicked, this, &frmmain::CmdExit_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmmain::mnuExit_Click);
    connect(ui->CmdOption, &QPushButton::clicked, this, &frmmain::CmdOption_Click);
    connect(ui->mnuPreview, &QAction::triggered, this, &frmmain::mnuPreview_Click);
    connect(ui->mnuHelp, &QAction::triggered, this, &frmmain::mnuHelp_Click);
    connect(ui->mnuAbout, &QAction::triggered, this, &frmmain::mnuAbout_Click);
}

// Ending is immediate: no close handler runs and nothing is rolled back.
void frmmain::CmdExit_Click() { seams_.endProgram(0); }

void frmmain::mnuExit_Click() { seams_.endProgram(0); }

void frmmain::closeEvent(QCloseEvent *event)
{
    event->accept();
    seams_.endProgram(0);
}

bool frmmain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == ui->txtSourDir)
            txtSourDir_MouseMove();
        else if (watched == ui->txtDestDir)
            txtDestDir_MouseMove();
        return false;
    }
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != this)
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)
        return folderDrop(*static_cast<QDropEvent *>(event));
    if (type != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    // Esc stops a run or a preview and goes no further; every other key
    // reaches its control.
    const bool taken = key == Qt::Key_Escape && (RunInProgress || previewInProgress_);
    Form_KeyDown(key);
    return taken;
}

// A preview has changed nothing, so it ends without a question.
void frmmain::Form_KeyDown(int key)
{
    if (key == Qt::Key_Escape && previewInProgress_)
        StopRequested = true;
    if (key != Qt::Key_Escape || !RunInProgress)
        return;
    const MessageBox question{QStringLiteral("您确定要停止操作吗？\n\n如果您选择“确定”，更名操作将停止，并且恢复已经更名的文件！"),
                              QStringLiteral("终止确认"), MessageIcon::Question, MessageButtons::OkCancel,
                              MessageAnswer::Ok};
    if (showMessage(question) == MessageAnswer::Ok)
        StopRequested = true;
}

RenameJob frmmain::currentJob()
{
    RenameJob job;
    job.SourceFolder = ui->txtSourDir->text();
    job.DestinationFolder = ui->txtDestDir->text();
    job.IncludeSubfolders = ui->chkSubDir->isChecked();
    job.ContinuousNumbering = ui->chkSeries->isChecked();
    job.IncludeHidden = ui->ChkHide->isChecked();
    job.FileType = ui->cboFileType->currentText();
    job.NumberStyle = ui->cboSeries->currentText();
    job.AddText = ui->txtAddString->text();
    job.placement = ui->optPrefix->isChecked()   ? Placement::Prefix
                    : ui->optSuffix->isChecked() ? Placement::Suffix
                                                 : Placement::None;
    job.DropOldName = ui->chkKeepFileName->isChecked();
    job.ChangeExtension = ui->chkModifySuffix->isChecked();
    job.NewExtension = ui->txtNewSuffix->text();
    job.CopyToDestination = ui->chkCopy->isChecked();
    job.MoveToDestination = ui->chkMove->isChecked();
    job.AdvancedEdit = ui->ChkOption->isChecked();
    // The edit is read only for an advanced run, so a survey leaves the dialog absent.
    if (job.AdvancedEdit)
        job.Edit = optionDialog().nameEdit();
    return job;
}

void frmmain::setStatus(const QString &text) { status_->show(text); }

void frmmain::setProgress(const ProgressText &text, qint64 count) { status_->showProgress(text, count); }

void frmmain::processEvents() { status_->yield(); }

void frmmain::setStartEnabled(bool on)
{
    startWanted_ = on;
    showOperationButtons();
}

void frmmain::setRestoreEnabled(bool on)
{
    restoreWanted_ = on;
    showOperationButtons();
}

// One long operation at a time: a survey during a run would rewrite the
// destination the run reads for every file, and a second run or a restore
// would compete with the first for the same files.
void frmmain::showOperationButtons()
{
    ui->CmdSourDir->setEnabled(!operationUnderWay_);
    ui->CmdStart->setEnabled(!operationUnderWay_ && startWanted_);
    ui->mnuPreview->setEnabled(ui->CmdStart->isEnabled());
    ui->CmdRestore->setEnabled(!operationUnderWay_ && restoreWanted_);
}

void frmmain::endProgram() { seams_.endProgram(GeneralErrorStatus); }

QDateTime frmmain::now() { return QDateTime::currentDateTime(); }

MessageAnswer frmmain::showMessage(const MessageBox &box)
{
    status_->flush();
    return seams_.dialogs.showMessage(this, box);
}

} // namespace quorin

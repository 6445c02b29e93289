// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "ui_frmmain.h"

#include "folders/RememberedFolder.h"
#include "folders/Survey.h"
#include "log/Restore.h"
#include "run/RunBatch.h"

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

namespace {
const QString FolderTitle = QStringLiteral("请选择一个目录");
} // namespace

void frmmain::CmdSourDir_Click()
{
    const QString folder = seams_.dialogs.BrowseForFolder(this, FolderTitle);
    if (!folder.isEmpty())
        surveyFolder(folder);
}

void frmmain::surveyFolder(const QString &folder)
{
    LongOperation survey(*this);
    ui->txtSourDir->setText(folder);
    ui->txtDestDir->setText(ui->txtSourDir->text());
    const SurveyResult result = SurveyFolder(*this, ui->txtSourDir->text());
    FillFileTypeList(result.sortedTypes);
}

void frmmain::FillFileTypeList(const QStringList &types)
{
    ui->cboFileType->clear();
    ui->cboFileType->addItems(types);
    ui->cboFileType->setCurrentIndex(-1);
}

void frmmain::CmdDestDir_Click()
{
    const QString folder = seams_.dialogs.BrowseForFolder(this, FolderTitle);
    if (!folder.isEmpty())
        ui->txtDestDir->setText(folder);
}

void frmmain::CmdStart_Click()
{
    LongOperation run(*this);
    StartRun(*this);
}

void frmmain::CmdRestore_Click()
{
    const FileDialogRequest request{QStringLiteral("请选择重命名日志文件"), QStringLiteral("日志文件(*.LOG)"),
                                    QStringLiteral("*.LOG"), rememberedFolder()};
    const QString log = seams_.dialogs.ShowFileDialog(this, request);
    if (log.isEmpty())
        return;
    LongOperation restore(*this);
    RestoreChosenLog(*this, log);
}

} // namespace quorin

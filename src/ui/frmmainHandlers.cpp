// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "frmmainLongOperation.h"
#include "ui_frmmain.h"

#include "folders/RememberedFolder.h"
#include "folders/Survey.h"
#include "log/Restore.h"
#include "run/RunBatch.h"

namespace quorin {

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

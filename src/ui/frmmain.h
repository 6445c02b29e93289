// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "ModalDialogs.h"
#include "PacedStatus.h"

#include "engine/RunHost.h"

#include <QMainWindow>

#include <chrono>
#include <functional>
#include <memory>

class QCheckBox;
class QDropEvent;
class QRadioButton;
class QUrl;

namespace Ui {
class frmmain;
}

namespace quorin {

class FrmOption;
class PlanTable;
class frmPreview;

// What the main window reaches outside itself, injected so that window tests
// can stand in for it.
struct WindowSeams final {
    ModalDialogs &dialogs;
    // Ends the program at once with this exit status.
    std::function<void(int status)> endProgram;
    // Opens a document or link with the program the desktop gives it; false
    // when the desktop has none.
    std::function<bool(const QUrl &url)> openUrl;
    // How often a long operation lets the window repaint and handle input.
    std::chrono::milliseconds repaintInterval{16};
};

// The main window: every setting of a run in its controls, the rules between
// them, and the handlers of its buttons. It hosts the engine: the engine reads
// the settings from it, shows its status and boxes through it, and yields to it.
class frmmain final : public QMainWindow, public RunHost {
    Q_OBJECT

public:
    explicit frmmain(WindowSeams seams, QWidget *parent = nullptr);
    ~frmmain() override;
    Q_DISABLE_COPY_MOVE(frmmain)

    RenameJob currentJob() override;
    void setStatus(const QString &text) override;
    void setProgress(const ProgressText &text, qint64 count) override;
    void processEvents() override;
    bool stopRequested() override { return StopRequested; }
    void clearStopRequested() override { StopRequested = false; }
    void setRunInProgress(bool on) override { RunInProgress = on; }
    void setStartEnabled(bool on) override;
    void setRestoreEnabled(bool on) override;
    void endProgram() override;
    QDateTime now() override;
    MessageAnswer showMessage(const MessageBox &box) override;

    // The program's arguments: one folder is surveyed as if chosen with 浏览;
    // anything else opens nothing and says why.
    void openArguments(const QStringList &arguments);
    // A folder opened from the desktop while the program runs: the window comes
    // to the front and surveys it, unless it is busy.
    void takeHandedFolder(const QString &folder);

    static constexpr int GeneralErrorStatus = 1;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class LongOperation;

    void placeOnScreen();
    void connectHandlers();
    void connectRules();

    void CmdSourDir_Click();
    void surveyFolder(const QString &folder);
    bool canOpenFolder() const;
    bool folderDrop(QDropEvent &event);
    void CmdDestDir_Click();
    void CmdStart_Click();
    void CmdRestore_Click();
    void CmdExit_Click();
    void mnuExit_Click();
    void Form_KeyDown(int key);
    void FillFileTypeList(const QStringList &types);

    void chkCopy_Click();
    void chkMove_Click();
    void copyOrMoveRule(const QCheckBox &clicked, QCheckBox &other);
    void chkSubDir_Click();
    void chkKeepFileName_Click();
    void chkModifySuffix_Click();
    void txtSourDir_MouseMove();
    void txtDestDir_MouseMove();

    void ChkOption_Click();
    void CmdOption_Click();
    FrmOption &optionDialog();

    void mnuPreview_Click();
    bool planPreview(frmPreview &dialog, PlanTable &plan);
    void mnuHelp_Click();
    void mnuAbout_Click();

    void showOperationButtons();

    std::unique_ptr<Ui::frmmain> ui;
    WindowSeams seams_;
    std::unique_ptr<PacedStatus> status_;
    // The advanced name edit's dialog: absent until the edit is first read or
    // the dialog first opened, and absent again after 取消.
    std::unique_ptr<FrmOption> option_;
    bool RunInProgress = false;
    bool previewInProgress_ = false;
    bool StopRequested = false;
    // What the engine last asked of the two buttons; while a long operation is
    // under way they stay disabled, and these decide their state afterwards.
    bool startWanted_ = false;
    bool restoreWanted_ = true;
    bool operationUnderWay_ = false;
};

} // namespace quorin

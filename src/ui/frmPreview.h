// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmPreview;
}

namespace quorin {

class PlanTable;

// The preview: what a run would do with every file of the chosen type, row for
// row. It may show while the plan is still being made; 开始 waits for the
// whole plan. 开始 accepts the dialog, 关闭, Esc and the close box reject it.
class frmPreview final : public QDialog {
    Q_OBJECT

public:
    frmPreview(PlanTable &plan, QWidget *parent);
    ~frmPreview() override;
    Q_DISABLE_COPY_MOVE(frmPreview)

    // Shows the counts under the table and lets 开始 start the run; `verb`
    // says what the run does to a file (重命名, 复制, 移动).
    void planned(const QString &verb);

private:
    void CmdPlanStart_Click();
    void CmdPlanClose_Click();

    std::unique_ptr<Ui::frmPreview> ui;
    PlanTable &plan_;
};

} // namespace quorin

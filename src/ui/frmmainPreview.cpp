// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "PlanTable.h"
#include "frmPreview.h"
#include "frmmainLongOperation.h"

#include "run/PreviewRun.h"

#include <QTimer>

namespace quorin {
namespace {

// How often rows planned so far are added to the table on the screen.
constexpr std::chrono::milliseconds ShowRowsEvery{100};

// Hands each file of the preview to the table.
class PlanRows final : public PreviewSink {
public:
    explicit PlanRows(PlanTable &table) : table_(table) {}
    FileError take(const PreviewRow &row) override
    {
        table_.add(row);
        return {};
    }

private:
    PlanTable &table_;
};

QString verbOf(const RenameJob &job)
{
    return job.CopyToDestination   ? QStringLiteral("复制")
           : job.MoveToDestination ? QStringLiteral("移动")
                                   : QStringLiteral("重命名");
}

} // namespace

// 开始 without changing anything: the same checks (but no question), the plan
// in memory, shown row for row; 开始 in the preview then starts the run as
// 开始 in the window does, question included.
void frmmain::mnuPreview_Click()
{
    // The folders spelled as the plan spells them, so that the rows show names
    // relative to them.
    const RenameJob job = cleaned(currentJob());
    PlanTable plan(job.SourceFolder, job.DestinationFolder);
    frmPreview dialog(plan, this);
    if (planPreview(dialog, plan) && dialog.exec() == QDialog::Accepted)
        CmdStart_Click();
}

// The dialog shows as soon as the first rows are planned, and closing it, or
// Esc in the window, ends the plan at once: nothing has been changed, so
// nothing is asked.
bool frmmain::planPreview(frmPreview &dialog, PlanTable &plan)
{
    LongOperation preview(*this);
    previewInProgress_ = true;
    StopRequested = false;
    const auto closed = connect(&dialog, &QDialog::rejected, this, [this] { StopRequested = true; });
    QTimer pace;
    pace.callOnTimeout(this, [&] {
        if (plan.showAdded() && !dialog.isVisible() && !StopRequested)
            dialog.show();
    });
    pace.start(ShowRowsEvery);
    PlanRows rows(plan);
    const PreviewReport report = PreviewRun(*this, rows);
    pace.stop();
    disconnect(closed);
    previewInProgress_ = false;
    const bool planned = report.ending == PreviewReport::Ending::Completed;
    if (!planned) {
        dialog.hide();
        if (report.ending == PreviewReport::Ending::Stopped)
            setStatus(QStringLiteral("预览已停止"));
        StopRequested = false;
        return false;
    }
    plan.showAdded();
    dialog.planned(verbOf(currentJob()));
    return true;
}

} // namespace quorin

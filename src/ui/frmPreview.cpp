// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmPreview.h"

#include "PlanTable.h"
#include "ui_frmPreview.h"

#include <QHeaderView>

namespace quorin {

frmPreview::frmPreview(PlanTable &plan, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmPreview>()), plan_(plan)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    ui->lstPlan->setModel(&plan_);
    // Every row one line high, so that a million rows cost no measuring.
    ui->lstPlan->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->lstPlan->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    ui->lstPlan->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    resize(qMax(width(), parent ? parent->width() * 3 / 2 : 0), height());
    const int pathWidth = (width() - 140) / 2;
    ui->lstPlan->setColumnWidth(PlanTable::OldFile, pathWidth);
    ui->lstPlan->setColumnWidth(PlanTable::NewFile, pathWidth);
    if (parent)
        move(parent->geometry().center() - rect().center());
    connect(ui->CmdPlanStart, &QPushButton::clicked, this, &frmPreview::CmdPlanStart_Click);
    connect(ui->CmdPlanClose, &QPushButton::clicked, this, &frmPreview::CmdPlanClose_Click);
    // The table has the focus, where no key starts or ends anything.
    ui->lstPlan->setFocus();
}

frmPreview::~frmPreview() = default;

void frmPreview::planned(const QString &verb)
{
    ui->lblPlanInfo->setText(QStringLiteral("将%1 %2 个文件，%3 个文件保留原名")
                                 .arg(verb)
                                 .arg(plan_.renamed())
                                 .arg(plan_.kept()));
    ui->CmdPlanStart->setEnabled(true);
}

void frmPreview::CmdPlanStart_Click() { accept(); }

void frmPreview::CmdPlanClose_Click() { reject(); }

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "PlanTable.h"

#include <QColor>

namespace quorin {
namespace {

QString whyText(RowReason reason)
{
    switch (reason) {
    case RowReason::None: break;
    case RowReason::NameTaken: return QStringLiteral("新文件名已被占用");
    case RowReason::TooLong: return QStringLiteral("新文件名太长");
    case RowReason::AlreadyNamed: return QStringLiteral("已经是新文件名");
    case RowReason::NotLoggable: return QStringLiteral("文件名无法写进日志");
    case RowReason::NotHeldByTarget: return QStringLiteral("存储卡不能保存新文件名");
    case RowReason::EditDoesNotFit: return QStringLiteral("高级编辑不适用于此文件名");
    }
    return {};
}

constexpr qsizetype BlockBytes = 1 << 20;

// A folder as a prefix of the paths in it.
QString asPrefix(const QString &folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

QByteArray relativeTo(const QString &folder, const QString &path)
{
    return (path.startsWith(folder) ? QStringView(path).mid(folder.size()) : QStringView(path)).toUtf8();
}

} // namespace

PlanTable::PlanTable(const QString &sourceFolder, const QString &destinationFolder)
    : sourceFolder_(asPrefix(sourceFolder)), destinationFolder_(asPrefix(destinationFolder))
{
}

void PlanTable::add(const PreviewRow &planned)
{
    const QByteArray oldName = relativeTo(sourceFolder_, planned.OldPath);
    const QByteArray newName = relativeTo(destinationFolder_, planned.NewPath);
    const qsizetype bytes = oldName.size() + newName.size();
    if (blocks_.empty() || blocks_.back().size() + bytes > blocks_.back().capacity()) {
        blocks_.emplace_back();
        blocks_.back().reserve(qMax(BlockBytes, bytes));
    }
    QByteArray &block = blocks_.back();
    rows_.push_back({quint32(blocks_.size() - 1), quint32(block.size()), quint32(oldName.size()),
                     quint32(newName.size()), quint32(planned.reason)});
    block.append(oldName).append(newName);
    if (planned.reason == RowReason::None)
        ++renamed_;
}

bool PlanTable::showAdded()
{
    const qint64 all = qint64(rows_.size());
    if (all == shown_)
        return false;
    beginInsertRows({}, int(shown_), int(all - 1));
    shown_ = all;
    endInsertRows();
    return true;
}

int PlanTable::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(shown_); }

int PlanTable::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 3; }

QVariant PlanTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= shown_)
        return {};
    const Row &row = rows_[size_t(index.row())];
    const auto reason = RowReason(row.reason);
    if (role == Qt::ForegroundRole)
        return reason == RowReason::None ? QVariant() : QColor(255, 0, 0);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case OldFile: return text(row, row.at, row.oldBytes);
    case NewFile: return text(row, row.at + row.oldBytes, row.newBytes);
    default: return whyText(reason);
    }
}

QString PlanTable::text(const Row &row, quint32 from, quint32 bytes) const
{
    return QString::fromUtf8(blocks_[row.block].constData() + from, bytes);
}

QVariant PlanTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case OldFile: return QStringLiteral("原文件");
    case NewFile: return QStringLiteral("新文件");
    default: return QStringLiteral("说明");
    }
}

} // namespace quorin

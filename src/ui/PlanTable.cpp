// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "PlanTable.h"

#include <QColor>

namespace quorin {
namespace {

QString whyText(PlanReason reason)
{
    switch (reason) {
    case PlanReason::Renamed: break;
    case PlanReason::NameTaken: return QStringLiteral("新文件名已被占用");
    case PlanReason::AlreadyNamed: return QStringLiteral("已经是新文件名");
    case PlanReason::NotLoggable: return QStringLiteral("文件名无法写进日志");
    case PlanReason::NotHeldByCard: return QStringLiteral("存储卡不能保存新文件名");
    case PlanReason::EditDoesNotFit: return QStringLiteral("高级编辑不适用于此文件名");
    }
    return {};
}

// A folder as a prefix of the paths in it.
QString asPrefix(const QString &folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

} // namespace

PlanTable::PlanTable(const QString &sourceFolder, const QString &destinationFolder)
    : sourceFolder_(asPrefix(sourceFolder)), destinationFolder_(asPrefix(destinationFolder))
{
}

void PlanTable::append(const QString &path, const QString &folder, quint32 &bytes)
{
    const QByteArray text = (path.startsWith(folder) ? path.mid(folder.size()) : path).toUtf8();
    names_.append(text);
    bytes = quint32(text.size());
}

void PlanTable::add(const QString &oldPath, const QString &newPath, PlanReason reason)
{
    Row row{quint64(names_.size()), 0, 0, quint32(reason)};
    append(oldPath, sourceFolder_, row.oldBytes);
    quint32 newBytes = 0;
    append(newPath, destinationFolder_, newBytes);
    row.newBytes = newBytes;
    rows_.push_back(row);
    if (reason == PlanReason::Renamed)
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
    const auto reason = PlanReason(row.reason);
    if (role == Qt::ForegroundRole)
        return reason == PlanReason::Renamed ? QVariant() : QColor(255, 0, 0);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case OldFile: return QString::fromUtf8(names_.constData() + row.at, row.oldBytes);
    case NewFile: return QString::fromUtf8(names_.constData() + row.at + row.oldBytes, row.newBytes);
    default: return whyText(reason);
    }
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

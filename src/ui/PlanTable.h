// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "run/PreviewRun.h"

#include <QAbstractTableModel>
#include <QByteArray>

#include <deque>
#include <vector>

namespace quorin {

// The preview's table: one row per file of the chosen type, in the order the
// run takes them, with its old path relative to the source folder, its new
// path relative to the destination and why it keeps its name. A million rows
// are kept as UTF-8 names and sixteen bytes each, and turned into texts only
// for the rows on the screen. Rows are added as they are planned and shown in
// batches. Names fill blocks of a fixed size and rows a deque, so that growing
// never copies what is kept: a copy would hold it twice for a moment.
class PlanTable final : public QAbstractTableModel {
public:
    enum Column { OldFile, NewFile, Why };

    PlanTable(const QString &sourceFolder, const QString &destinationFolder);

    void add(const PreviewRow &row);
    // Shows the rows added since it last did; false when there were none.
    bool showAdded();

    qint64 renamed() const { return renamed_; }
    qint64 kept() const { return qint64(rows_.size()) - renamed_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row final {
        quint32 block;
        // Where in its block the old name starts; the new name follows it.
        quint32 at;
        quint32 oldBytes;
        quint32 newBytes : 28;
        quint32 reason : 4;
    };
    QString text(const Row &row, quint32 from, quint32 bytes) const;

    const QString sourceFolder_;
    const QString destinationFolder_;
    std::vector<QByteArray> blocks_;
    std::deque<Row> rows_;
    qint64 shown_ = 0;
    qint64 renamed_ = 0;
};

} // namespace quorin

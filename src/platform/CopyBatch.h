// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FileCopy.h"
#include "FileError.h"

#include <QString>

#include <functional>
#include <vector>

namespace quorin {

// The copies of a copy run. Each is written under its hidden name as it comes,
// and a batch of them is made durable with one sync before they take their
// names: a name never holds a copy that a power cut could leave empty, and the
// run does not wait for the disk once for every file.
class CopyBatch final {
public:
    CopyBatch();
    ~CopyBatch();
    Q_DISABLE_COPY_MOVE(CopyBatch)

    // Writes the copy of one record. A failure (its new name taken, …) comes
    // back at once, and the record is not in the batch.
    FileError add(const QString &from, const QString &to, qint64 record);
    bool full() const;
    bool isEmpty() const { return staged_.empty(); }
    // Syncs the batch and gives each copy its name, in the order they came;
    // placed(record, result) hears of each.
    void place(const std::function<void(qint64, const FileError &)> &placed);

private:
    struct Staged final {
        StagedCopy copy;
        qint64 record;
    };
    std::vector<Staged> staged_;
    qint64 bytes_ = 0;
    std::size_t limit_;
};

} // namespace quorin

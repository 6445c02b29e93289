// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FolderListing.h"

#include <QByteArray>

#include <vector>

namespace quorin {

// The entries of one folder read whole, then handed out in name order
// (compareNames), "." and ".." among them where the file system lists them. The names are held in one buffer, so
// memory grows with the folder's names and not with a string per entry.
class SortedFolderListing final {
public:
    SortedFolderListing(const QString &folderPath, AttributeMask mask);
    Q_DISABLE_COPY_MOVE(SortedFolderListing)

    bool next(FolderEntry &entry);

private:
    struct Slot final {
        qsizetype offset;
        quint16 length;
        bool isFolder;
    };
    QByteArrayView nameOf(const Slot &slot) const { return QByteArrayView(names_).sliced(slot.offset, slot.length); }

    QByteArray names_;
    std::vector<Slot> slots_;
    std::size_t next_ = 0;
};

} // namespace quorin

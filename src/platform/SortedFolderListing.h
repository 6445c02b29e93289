// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FolderListing.h"
#include "NameIndex.h"

#include <QByteArray>

#include <functional>
#include <vector>

namespace quorin {

// Called now and then while a folder is read and sorted, so that a large or
// slow folder never keeps the window from answering; false stops the reading.
using KeepGoing = std::function<bool()>;

// The entries of one folder read whole, then handed out in name order
// (compareNames), "." and ".." among them where the file system lists them.
// The first names are picked out and sorted on their own, and the rest only
// once they have been handed out, so that the first files of a huge folder are
// planned within moments. The names are held in one buffer, so memory grows
// with the folder's names and not with a string per entry.
class SortedFolderListing final {
public:
    SortedFolderListing(const QString &folderPath, AttributeMask mask, KeepGoing keepGoing);
    Q_DISABLE_COPY_MOVE(SortedFolderListing)

    // Asked to stop while reading or sorting: nothing (more) is handed out.
    bool stopped() const { return stopped_; }
    bool next(FolderEntry &entry);
    std::size_t size() const { return slots_.size(); }
    qsizetype nameBytes() const { return names_.size(); }
    // The place in name order of the entry last handed out, and the name held
    // at such a place, as the file system holds it.
    quint32 position() const { return quint32(next_ - 1); }
    QByteArrayView nameAt(quint32 position) const { return nameOf(slots_[order_[position]]); }
    // Whether an entry of the folder has exactly this name.
    bool holds(QByteArrayView name);

private:
    struct Slot final {
        qsizetype offset;
        quint16 length;
        bool isFolder;
    };
    QByteArrayView nameOf(const Slot &slot) const { return QByteArrayView(names_).sliced(slot.offset, slot.length); }
    void read(const QString &folderPath, AttributeMask mask);
    void sortUpTo(std::size_t end);

    const KeepGoing keepGoing_;
    QByteArray names_;
    // In the order the file system listed them.
    std::vector<Slot> slots_;
    // Slots in name order up to sorted_.
    std::vector<quint32> order_;
    std::size_t sorted_ = 0;
    std::size_t next_ = 0;
    // Slots by their names, made when first asked.
    NameIndex index_;
    bool stopped_ = false;
};

} // namespace quorin

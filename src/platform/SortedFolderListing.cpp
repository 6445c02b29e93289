// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "SortedFolderListing.h"

#include "NameOrder.h"

#include <algorithm>

namespace quorin {

SortedFolderListing::SortedFolderListing(const QString &folderPath, AttributeMask mask)
{
    FolderListing listing(folderPath, mask);
    QByteArrayView name;
    bool isFolder = false;
    while (listing.nextRaw(name, isFolder)) {
        slots_.push_back({names_.size(), quint16(name.size()), isFolder});
        names_ += name;
    }
    std::sort(slots_.begin(), slots_.end(),
              [this](const Slot &a, const Slot &b) { return compareNames(nameOf(a), nameOf(b)) < 0; });
}

bool SortedFolderListing::next(FolderEntry &entry)
{
    if (next_ == slots_.size())
        return false;
    const Slot &slot = slots_[next_++];
    fillEntry(entry, nameOf(slot), slot.isFolder);
    return true;
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "SortedFolderListing.h"

#include "NameOrder.h"

#include <algorithm>

namespace quorin {
namespace {

// Often enough that a keypress is answered within a tenth of a second on a
// slow disk, seldom enough that a fast one does not notice.
constexpr int EntriesPerYield = 64;
constexpr int ComparisonsPerYield = 4096;

} // namespace

SortedFolderListing::SortedFolderListing(const QString &folderPath, AttributeMask mask, const KeepGoing &keepGoing)
{
    read(folderPath, mask, keepGoing);
    if (!stopped_)
        sort(keepGoing);
    if (stopped_)
        slots_.clear();
}

void SortedFolderListing::read(const QString &folderPath, AttributeMask mask, const KeepGoing &keepGoing)
{
    FolderListing listing(folderPath, mask);
    QByteArrayView name;
    bool isFolder = false;
    while (listing.nextRaw(name, isFolder)) {
        slots_.push_back({names_.size(), quint16(name.size()), isFolder});
        names_ += name;
        if (slots_.size() % EntriesPerYield == 0 && !keepGoing()) {
            stopped_ = true;
            return;
        }
    }
}

// A sort cannot be left halfway, so a stop asked for meanwhile is only noted;
// the comparison itself stays the same throughout.
void SortedFolderListing::sort(const KeepGoing &keepGoing)
{
    int comparisons = 0;
    std::sort(slots_.begin(), slots_.end(), [&](const Slot &a, const Slot &b) {
        if (++comparisons == ComparisonsPerYield) {
            comparisons = 0;
            stopped_ = !keepGoing() || stopped_;
        }
        return compareNames(nameOf(a), nameOf(b)) < 0;
    });
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

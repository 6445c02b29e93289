// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "SortedFolderListing.h"

#include "NameOrder.h"

#include <algorithm>
#include <numeric>

namespace quorin {
namespace {

// Often enough that a keypress is answered within a tenth of a second on a
// slow disk, seldom enough that a fast one does not notice.
constexpr int EntriesPerYield = 64;
constexpr int ComparisonsPerYield = 4096;
// Enough names to fill the first screens of a preview.
constexpr std::size_t FirstSorted = 1024;

} // namespace

SortedFolderListing::SortedFolderListing(const QString &folderPath, AttributeMask mask, KeepGoing keepGoing)
    : keepGoing_(std::move(keepGoing))
{
    read(folderPath, mask);
    order_.resize(slots_.size());
    std::iota(order_.begin(), order_.end(), quint32(0));
    if (!stopped_)
        sortUpTo(std::min(FirstSorted, order_.size()));
}

void SortedFolderListing::read(const QString &folderPath, AttributeMask mask)
{
    FolderListing listing(folderPath, mask);
    QByteArrayView name;
    bool isFolder = false;
    while (listing.nextRaw(name, isFolder)) {
        slots_.push_back({names_.size(), quint16(name.size()), isFolder});
        names_ += name;
        if (slots_.size() % EntriesPerYield == 0 && !keepGoing_()) {
            stopped_ = true;
            return;
        }
    }
}

// Puts the first end names in order, picking them out from the rest first. A
// sort cannot be left halfway, so a stop asked for meanwhile is only noted and
// nothing more is handed out.
void SortedFolderListing::sortUpTo(std::size_t end)
{
    int comparisons = 0;
    const auto less = [&](quint32 a, quint32 b) {
        if (++comparisons == ComparisonsPerYield) {
            comparisons = 0;
            stopped_ = !keepGoing_() || stopped_;
        }
        return compareNames(nameOf(slots_[a]), nameOf(slots_[b])) < 0;
    };
    const auto first = order_.begin() + qsizetype(sorted_);
    const auto last = order_.begin() + qsizetype(end);
    if (last != order_.end())
        std::nth_element(first, last, order_.end(), less);
    std::sort(first, last, less);
    sorted_ = end;
}

bool SortedFolderListing::next(FolderEntry &entry)
{
    if (next_ == sorted_ && !stopped_)
        sortUpTo(order_.size());
    if (next_ == sorted_ || stopped_)
        return false;
    const Slot &slot = slots_[order_[next_++]];
    fillEntry(entry, nameOf(slot), slot.isFolder);
    return true;
}

bool SortedFolderListing::holds(QByteArrayView name)
{
    const auto nameOfSlot = [this](quint32 slot) { return nameOf(slots_[slot]); };
    if (!index_.isBuilt())
        index_.build(quint32(slots_.size()), nameOfSlot);
    return index_.find(name, nameOfSlot) != NameIndex::None;
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArrayView>
#include <QHash>

#include <vector>

namespace quorin {

// Numbered entries by their names' hashes, for folders of a million files: a
// table of four bytes a slot, at most half full, probed linearly. The names
// stay where they are; nameOf gives the name of an entry by its number.
class NameIndex final {
public:
    static constexpr quint32 None = 0xFFFFFFFF;

    template <typename NameOf>
    void build(quint32 count, NameOf nameOf)
    {
        std::size_t size = 2;
        while (size < 2 * std::size_t(count))
            size *= 2;
        slots_.assign(size, None);
        for (quint32 entry = 0; entry < count; ++entry) {
            std::size_t at = qHash(nameOf(entry)) & (size - 1);
            while (slots_[at] != None)
                at = (at + 1) & (size - 1);
            slots_[at] = entry;
        }
    }

    bool isBuilt() const { return !slots_.empty(); }

    // The entry with this name, or None.
    template <typename NameOf>
    quint32 find(QByteArrayView name, NameOf nameOf) const
    {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = qHash(name) & mask; slots_[at] != None; at = (at + 1) & mask) {
            if (nameOf(slots_[at]) == name)
                return slots_[at];
        }
        return None;
    }

private:
    std::vector<quint32> slots_;
};

} // namespace quorin

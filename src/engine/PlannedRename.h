// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>

namespace quorin {

// One planned rename of one file: both full paths.
struct PlannedRename final {
    QString OldPath;
    QString NewPath;
    bool operator==(const PlannedRename &) const = default;
};

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QRadioButton>

namespace quorin {

// Qt keeps one button of an exclusive group checked; leaving the group for a
// moment is the way to select neither.
inline void deselect(QRadioButton &option)
{
    option.setAutoExclusive(false);
    option.setChecked(false);
    option.setAutoExclusive(true);
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>

namespace quorin {

// True when the two paths are two files holding the same bytes, or two links
// to the same place. One file under two names (a hard link, or on FAT a name
// seen without regard to case) is never its own duplicate. A file that cannot
// be read is not the same.
bool holdSameBytes(const QByteArray &first, const QByteArray &second);

} // namespace quorin

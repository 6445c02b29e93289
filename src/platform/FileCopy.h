// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>

namespace quorin {

// Copies a file, or a symbolic link as a link, first under a new hidden name in
// the target's folder (".quorin-" and six letters or digits), then renames it
// into place without replacing: the target's name only ever holds a whole
// copy, and a copy cut short leaves at most that hidden file. A durable copy is
// on the disk before it takes its name. Mode and times are kept where the
// target's file system can keep them. Returns 0, an errno or NameNotHeld.
int copyIntoPlace(const QByteArray &from, const QByteArray &to, bool durable);

} // namespace quorin

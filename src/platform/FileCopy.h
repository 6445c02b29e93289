// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>

#include <functional>

namespace quorin {

// Copies a file, or a symbolic link as a link, first under a new hidden name in
// the target's folder (".quorin-" and six letters or digits), then renames it
// into place without replacing: the target's name only ever holds a whole
// copy, and a copy cut short leaves at most that hidden file. A durable copy is
// on the disk before it takes its name. Mode and times are kept where the
// target's file system can keep them. beforePlacing runs once the copy is
// whole, just before it takes its name. While a copy is written its hidden file
// is locked (flock), so a hidden file nobody holds is one whose writer is gone.
// Returns 0, an errno or NameNotHeld.
int copyIntoPlace(const QByteArray &from, const QByteArray &to, bool durable,
                  const std::function<void()> &beforePlacing = {});

} // namespace quorin

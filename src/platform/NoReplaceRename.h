// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArrayView>

namespace quorin {

// Returned instead of an errno when the target's file system needs the checked
// rename and the new name holds a character FAT cannot hold.
inline constexpr int NameNotHeld = -1;

// Renames a file without ever replacing one: 0, an errno (EEXIST for a taken
// target) or NameNotHeld. Both paths are on one file system.
int renameWithoutReplacing(const char *from, const char *to);

// What a FAT directory entry cannot hold; such a name may even make the file
// system drop the file it was given for.
bool fatCanHold(QByteArrayView name);

// The folder part of a path, "/" for a file in the root.
QByteArrayView folderOf(QByteArrayView path);

// Two names in one folder that differ at most in case: on FAT, one file.
bool sameNameIgnoringCase(QByteArrayView first, QByteArrayView second);

// True when the path's folder lists an entry under exactly the path's name.
bool isListedUnderItsName(QByteArrayView path);

// The hidden name a change of case goes through: the same for both spellings,
// so a rename cut short between its two steps can be found and finished.
QByteArray caseRenameTemporary(QByteArrayView path);

} // namespace quorin

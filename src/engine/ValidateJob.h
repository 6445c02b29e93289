// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "RenameJob.h"
#include "platform/MessageBox.h"

namespace quorin {

enum class Verdict { Proceed, Stop };

// The start checks, in their fixed order; the first that fails shows its
// message and stops. Nothing is changed before every check has passed.
Verdict ValidateJob(const RenameJob &job, MessagePrompter &prompter);

// True when the folder itself is there, whatever its listing holds.
bool FolderExists(const QString &folderPath);

// True when a text the user typed can go into a file name: no "/" and no
// control character. A file's own old name is taken as it is.
bool fitsInFileName(const QString &text);

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "RenameJob.h"
#include "platform/MessageBox.h"

namespace quorin {

enum class Verdict { Proceed, Stop };

// The start checks, in their fixed order; the first that fails shows its
// message and stops. Nothing is changed before every check has passed.
Verdict ValidateJob(const RenameJob &job, MessagePrompter &prompter);

// True when listing the folder yields at least one entry ("." at the least).
bool FolderExists(const QString &folderPath);

// True when a text can go into a file name: no "/" and no control character.
bool fitsInFileName(const QString &text);

} // namespace quorin

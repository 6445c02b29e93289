// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "RunHost.h"
#include "platform/FileError.h"

namespace quorin {

// An unexpected failure: the general error box, then every open file is closed
// and the program ends, undoing nothing and leaving the log on disk.
void endWithGeneralError(RunHost &host, const FileError &error);

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "CommandLine.h"

namespace quorin::cli {

// A usage error for the first folder or log on the command line that is not
// there or is of the other kind; empty when every one is usable. Checked
// before the engine starts, so nothing is remembered or written for them.
QString unusablePath(const Invocation &call);

} // namespace quorin::cli

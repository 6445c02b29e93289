// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "CommandLine.h"
#include "ExitStatus.h"

namespace quorin::cli {

// Each command over the engine, given a usable command line; returns the exit status.
ExitStatus survey(const Invocation &call);
ExitStatus run(const Invocation &call);
ExitStatus preview(const Invocation &call);
ExitStatus restore(const Invocation &call);

} // namespace quorin::cli

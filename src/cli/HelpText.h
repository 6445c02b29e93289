// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "CommandLine.h"

#include <QByteArray>

namespace quorin::cli {

// The synopsis printed after a usage error.
extern const char *const UsageText;

// The whole help, or one command's: every option, the exit statuses, examples.
QByteArray helpText(Command topic);

} // namespace quorin::cli

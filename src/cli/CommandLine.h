// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RenameJob.h"

#include <QString>
#include <QStringList>

namespace quorin::cli {

enum class Command { Help, Version, Survey, Run, Restore };

struct Invocation final {
    Command command = Command::Help;
    // The command whose help is asked for; Help for the whole help.
    Command helpTopic = Command::Help;
    RenameJob job;
    // Survey's folder or Restore's log.
    QString path;
    bool yes = false;
    bool dryRun = false;
    // The plan's paths each end in a NUL.
    bool nulSeparated = false;
    // Empty when the command line is usable.
    QString usageError;
};

Invocation parseCommandLine(const QStringList &arguments);

} // namespace quorin::cli

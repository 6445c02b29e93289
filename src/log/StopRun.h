// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/RunHost.h"

namespace quorin {

// A stop while the run is still planning: no file has been touched, so the log goes.
void CancelRun(RunHost &host, const QString &logPath);

// A stop while the run carries out its log: the first `tried` records are undone,
// every failure passed over, and the log goes unless it is still needed.
void RollBackRun(RunHost &host, const QString &logPath, qint64 tried);

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

namespace quorin::cli {

enum ExitStatus {
    AllHandled = 0,
    SomeFilesKept = 1,
    UsageError = 2,
    // A check refused, a question was answered no, or the log was refused.
    Refused = 3,
    // Ctrl+C: a run rolled back, a restore partly done with its log kept.
    Stopped = 4,
    Failed = 5,
};

} // namespace quorin::cli

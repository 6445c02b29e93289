// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "PlannedRename.h"
#include "RenameJob.h"

#include <QString>

namespace quorin {

// The run's two counters: files planned so far, and the number the last file got.
struct NameCounters final {
    int PlannedCount = 0;
    int SequenceNumber = 0;
};

enum class NameOutcome {
    Planned,
    // The advanced edit does not fit this name, or the whole name is the type.
    DoesNotFit,
    // The new name would hold a character no file name can, or a path could not
    // be written to the log line by line; the file keeps its name.
    Unsafe,
};

struct Composition final {
    NameOutcome outcome = NameOutcome::DoesNotFit;
    PlannedRename rename;
};

// The new full path of one file of the chosen type, found in scannedFolder.
// Only a planned file moves the counters on.
Composition ComposeNewName(const RenameJob &job, const QString &scannedFolder, const QString &oldName,
                           NameCounters &counters);

QString FormatSequenceNumber(int number, const QString &numberStyle);

// Positions count characters (code points) from 1.
QString ReplaceAt(const QString &name, const QString &replacement, int position, int length);
QString DeleteAt(const QString &name, const QString &found, int position);

// True when the last characters of name, upper-cased one by one, are the type.
bool hasFileType(const QString &name, const QString &fileType);

} // namespace quorin

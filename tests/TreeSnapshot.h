// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/PlannedRename.h"
#include "platform/FileError.h"

#include <QByteArray>
#include <QMap>
#include <QString>

namespace quorin::test {

// Every file under a folder by relative path, with a hash of its content. Its
// "Restore" log folders are left out, and so are the program's own hidden
// temporary files, as the program's listing leaves them out.
QMap<QString, QByteArray> snapshot(const QString &root);
// The records of a rename log as far as they read; `last` gets what ended the reading.
QList<PlannedRename> readLogRecords(const QString &path, FileError *last = nullptr);

} // namespace quorin::test

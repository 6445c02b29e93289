// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/PlannedRename.h"
#include "platform/FileError.h"

#include <QByteArray>
#include <QMap>
#include <QString>

namespace quorin::test {

// Every file under a folder (its "Restore" log folders left out) by relative
// path, with a hash of its content.
QMap<QString, QByteArray> snapshot(const QString &root);
// The records of a rename log as far as they read; `last` gets what ended the reading.
QList<PlannedRename> readLogRecords(const QString &path, FileError *last = nullptr);

} // namespace quorin::test

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QDateTime>
#include <QString>

namespace quorin {

// The hidden file beside a log that holds the state of each of its records.
// Its name follows the log's, so it goes wherever the log is moved aside.
QString statesPathFor(const QString &logPath);

// Where an earlier log of a name goes when a new run takes that name:
// "RestoreJPG-20261207-083000.log", then "-2", "-3" … for the same second.
QString datedLogPath(const QString &logPath, const QDateTime &modified, int attempt);

// Files the program keeps in a log folder: the logs of every type, earlier
// ones under dated names, and their record states. A
// run over the log folder itself never plans them, as it never enters a log
// folder anywhere else.
bool isKeptInLogFolder(const QString &name);

} // namespace quorin

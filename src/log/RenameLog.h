// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "LogLock.h"
#include "engine/PlannedRename.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QString>

namespace quorin {

// The log of one run: a header line, then two lines per file, old path and new
// path, each ending in CR LF. It is written in full, under a temporary name,
// before any file is touched, and takes its name only once it is durable.
class RenameLog final {
public:
    static QString folderFor(const QString &destinationFolder);
    static QString pathFor(const QString &destinationFolder, const QString &fileType);
    static QString headerLine(const QDateTime &now);

    // Creates the "Restore" folder (an existing one is used as it is), takes
    // its lock for the type, which is held until the log goes, starts the log
    // under a new temporary name there and writes the header.
    FileError CreateRenameLog(const QString &destinationFolder, const QString &fileType, const QDateTime &now);
    FileError AppendLogRecord(const PlannedRename &record);
    // Makes the plan durable and writes its record states beside it; then moves
    // an earlier log of the same name aside under a dated name, so that it can
    // still be restored, and gives the new log and its states their names.
    FileError commit();

    // Opens a log and drops its header line.
    FileError openForReading(const QString &logPath);
    bool atEnd() { return reader_.atEnd(); }
    FileError ReadLogRecord(PlannedRename &record);
    void closeReading() { reader_.close(); }

    // The log's temporary path until it is committed; empty until it exists.
    QString path() const { return path_; }
    // The name the log takes when committed.
    QString finalPath() const { return finalPath_; }

private:
    QString path_;
    QString finalPath_;
    qint64 records_ = 0;
    LogLock lock_;
    LineWriter writer_;
    LineReader reader_;
};

// The failure of an operation that found its log in use by another.
FileError logInUse();

// Deletes the log and its record states, then its folder when nothing else is
// left in it. Every step is tried; the first failure is returned.
FileError DiscardRenameLog(const QString &logPath);

} // namespace quorin

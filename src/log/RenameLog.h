// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/PlannedRename.h"
#include "platform/FileError.h"
#include "platform/TextFile.h"

#include <QDateTime>
#include <QString>

namespace quorin {

// The log of one run: a header line, then two lines per file, old path and new
// path, each ending in CR LF. It is written in full before any file is touched.
class RenameLog final {
public:
    static QString folderFor(const QString &destinationFolder);
    static QString pathFor(const QString &destinationFolder, const QString &fileType);
    static QString headerLine(const QDateTime &now);

    // Creates the "Restore" folder (an existing one is used as it is), opens the
    // log for writing, replacing an earlier log of that name, and writes the header.
    FileError CreateRenameLog(const QString &destinationFolder, const QString &fileType, const QDateTime &now);
    FileError AppendLogRecord(const PlannedRename &record);
    // Returns only once the log is on the disk.
    FileError closeWriting();

    // Opens a log and drops its header line.
    FileError openForReading(const QString &logPath);
    bool atEnd() { return reader_.atEnd(); }
    FileError ReadLogRecord(PlannedRename &record);
    void closeReading() { reader_.close(); }

    // Empty until a log has been opened.
    QString path() const { return path_; }

private:
    QString path_;
    LineWriter writer_;
    LineReader reader_;
};

// Deletes the log, then its folder when nothing else is left in it. Both steps
// are tried; the first failure is returned.
FileError DiscardRenameLog(const QString &logPath);

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "platform/FileError.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quorin {

// What became of one record of a log. A record still Pending, or a log with
// no states beside it, tells nothing: it is undone as it always was.
enum class RecordState : char {
    Pending = 'p',
    Renamed = 'r', // renamed in place or moved
    Copied = 'c',
    PassedOver = 's', // its new name was taken, or the file was gone
    Undone = 'u',
};

// The states of a log's records, in a file beside the log: a header with the
// log's record count and digest, then one byte per record. A state is written
// after its step and never synced: a state lost in a crash reads as Pending,
// which is always safe.
class RecordStates final {
public:
    enum class Found { Absent, Damaged, Present };

    // Writes, under a temporary name in the folder, the states of a new log
    // with every record pending, and makes them durable.
    FileError create(const QString &folder, qint64 records, const QByteArray &logDigest);
    // Opens the states beside a log, for writing where that is allowed.
    Found open(const QString &logPath);
    bool isOpen() const { return reader_.isOpen(); }
    // Where create() wrote the states.
    QString createdPath() const { return created_; }
    qint64 records() const { return records_; }
    QByteArray logDigest() const { return digest_; }

    // A durable copy of the open states under the path, never replacing a file.
    FileError copyTo(const QString &path);

    std::optional<RecordState> state(qint64 record);
    void set(qint64 record, RecordState state);
    void close();

private:
    // Reads and writes go through handles of their own: FAT through FUSE
    // writes a handle's bytes to the wrong place after it has been read.
    ByteFile reader_;
    ByteFile writer_;
    QString created_;
    qint64 records_ = 0;
    QByteArray digest_;
};

} // namespace quorin

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
    // A move across file systems whose copy is whole and about to take the new
    // name, the file at the old name not yet removed: the copy is the run's own.
    CopyPlaced = 'm',
    // The same for the undo of such a move: the copy at the old name is the
    // restore's own.
    CopyPlacedBack = 'b',
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
    bool isOpen() const { return open_; }
    // False once a state could not be read back as it was written: from then
    // on no state tells anything.
    bool trusted() const { return open_ && trusted_; }
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
    FileError readAt(qint64 offset, char *data, qint64 size);

    // Reads and writes go through handles of their own. FAT through FUSE
    // reads zeros through a handle once another is opened, and puts a write
    // below the handle's last one in the wrong place: there every access opens
    // a handle of its own, and every write is read back.
    ByteFile reader_;
    ByteFile writer_;
    QString path_;
    bool open_ = false;
    bool perAccess_ = false;
    bool trusted_ = true;
    QString created_;
    qint64 records_ = 0;
    QByteArray digest_;
};

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RecordStates.h"

#include "LogNames.h"
#include "platform/FileOperations.h"

namespace quorin {
namespace {

// "QUORIN-STATES-1 ", the record count in 20 digits, a space, the digest in
// 64 hex digits, a line feed; then the states.
constexpr QByteArrayView Magic("QUORIN-STATES-1 ");
constexpr qsizetype CountDigits = 20;
constexpr qsizetype DigestDigits = 64;
constexpr qint64 HeaderSize = Magic.size() + CountDigits + 1 + DigestDigits + 1;

QByteArray header(qint64 records, const QByteArray &digest)
{
    return Magic.toByteArray() + QByteArray::number(records).rightJustified(CountDigits, '0') + ' '
           + digest.toHex() + '\n';
}

bool parse(const QByteArray &bytes, qint64 &records, QByteArray &digest)
{
    if (bytes.size() != HeaderSize || !bytes.startsWith(Magic) || bytes.back() != '\n'
        || bytes.at(Magic.size() + CountDigits) != ' ')
        return false;
    bool number = false;
    records = bytes.mid(Magic.size(), CountDigits).toLongLong(&number);
    const QByteArray hex = bytes.mid(Magic.size() + CountDigits + 1, DigestDigits);
    digest = QByteArray::fromHex(hex);
    return number && records >= 0 && digest.toHex() == hex;
}

// Positioned writes that a file system did not keep are found by reading the
// file back through a handle of its own.
bool holdsExactly(const QString &path, const QByteArray &expected)
{
    ByteFile check;
    QByteArray bytes(expected.size(), Qt::Uninitialized);
    return !check.open(path, false).failed() && check.size() == expected.size()
           && !check.readAt(0, bytes.data(), bytes.size()).failed() && bytes == expected;
}

// Writes the bytes into a new durable file under a temporary name in the folder.
FileError writeNew(const QString &folder, const QByteArray &bytes, QString &path)
{
    ByteFile file;
    FileError written = file.createNew(folder);
    path = file.path();
    if (written.failed())
        return written;
    written = file.writeAt(0, bytes);
    if (!written.failed())
        written = file.closeDurably();
    if (!written.failed() && !holdsExactly(path, bytes))
        written = FileError::withCode(PathFileAccessError);
    if (written.failed()) {
        file.close();
        deleteFile(path);
    }
    return written;
}

} // namespace

FileError RecordStates::create(const QString &folder, qint64 records, const QByteArray &logDigest)
{
    records_ = records;
    digest_ = logDigest;
    return writeNew(folder, header(records, logDigest) + QByteArray(records, char(RecordState::Pending)), created_);
}

RecordStates::Found RecordStates::open(const QString &logPath)
{
    close();
    path_ = statesPathFor(logPath);
    if (!pathExists(path_))
        return Found::Absent;
    if (reader_.open(path_, false).failed())
        return Found::Damaged;
    QByteArray bytes(HeaderSize, Qt::Uninitialized);
    if (reader_.readAt(0, bytes.data(), HeaderSize).failed() || !parse(bytes, records_, digest_)
        || reader_.size() != HeaderSize + records_) {
        reader_.close();
        return Found::Damaged;
    }
    open_ = true;
    trusted_ = true;
    perAccess_ = isOnFuse(path_);
    if (perAccess_)
        reader_.close();
    else // States that cannot be written (a read-only card) are still read.
        writer_.open(path_, true);
    return Found::Present;
}

FileError RecordStates::readAt(qint64 offset, char *data, qint64 size)
{
    if (!perAccess_)
        return reader_.readAt(offset, data, size);
    ByteFile once;
    const FileError opened = once.open(path_, false);
    return opened.failed() ? opened : once.readAt(offset, data, size);
}

FileError RecordStates::copyTo(const QString &path)
{
    QByteArray bytes(HeaderSize + records_, Qt::Uninitialized);
    QString written;
    FileError failure = readAt(0, bytes.data(), bytes.size());
    if (!failure.failed())
        failure = writeNew(path.left(path.lastIndexOf(u'/')), bytes, written);
    if (!failure.failed())
        failure = moveFile(written, path);
    if (failure.failed())
        deleteFile(written);
    return failure;
}

void RecordStates::close()
{
    reader_.close();
    writer_.close();
    open_ = false;
}

std::optional<RecordState> RecordStates::state(qint64 record)
{
    char byte = 0;
    if (!trusted() || record < 0 || record >= records_ || readAt(HeaderSize + record, &byte, 1).failed())
        return std::nullopt;
    switch (RecordState(byte)) {
    case RecordState::Renamed:
    case RecordState::Copied:
    case RecordState::PassedOver:
    case RecordState::Undone:
    case RecordState::CopyPlaced:
    case RecordState::CopyPlacedBack: return RecordState(byte);
    case RecordState::Pending: break;
    }
    return std::nullopt;
}

// Best effort: a state that could not be written reads as pending, and a
// pending record is never taken for more than it proves.
void RecordStates::set(qint64 record, RecordState state)
{
    if (!open_ || record < 0 || record >= records_)
        return;
    const QByteArrayView byte(reinterpret_cast<const char *>(&state), 1);
    if (!perAccess_) {
        writer_.writeAt(HeaderSize + record, byte);
        return;
    }
    ByteFile once;
    char check = 0;
    if (!once.open(path_, true).failed())
        once.writeAt(HeaderSize + record, byte);
    once.close();
    if (readAt(HeaderSize + record, &check, 1).failed() || check != char(state))
        trusted_ = false;
}

} // namespace quorin

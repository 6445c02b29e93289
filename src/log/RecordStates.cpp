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

} // namespace

FileError RecordStates::create(const QString &folder, qint64 records, const QByteArray &logDigest)
{
    ByteFile file;
    if (FileError created = file.createNew(folder); created.failed())
        return created;
    records_ = records;
    digest_ = logDigest;
    FileError written = file.writeAt(0, header(records, logDigest));
    const QByteArray pending(qMin<qint64>(records, 1 << 16), char(RecordState::Pending));
    for (qint64 at = 0; at < records && !written.failed(); at += pending.size())
        written = file.writeAt(HeaderSize + at, QByteArrayView(pending).first(qMin<qint64>(pending.size(), records - at)));
    created_ = file.path();
    if (!written.failed())
        written = file.closeDurably();
    if (written.failed()) {
        file.close();
        deleteFile(created_);
    }
    return written;
}

RecordStates::Found RecordStates::open(const QString &logPath)
{
    const QString path = statesPathFor(logPath);
    if (!pathExists(path))
        return Found::Absent;
    if (reader_.open(path, false).failed())
        return Found::Damaged;
    QByteArray bytes(HeaderSize, Qt::Uninitialized);
    if (reader_.readAt(0, bytes.data(), HeaderSize).failed() || !parse(bytes, records_, digest_)
        || reader_.size() != HeaderSize + records_) {
        reader_.close();
        return Found::Damaged;
    }
    // States that cannot be written (a read-only card) are still read.
    writer_.open(path, true);
    return Found::Present;
}

FileError RecordStates::copyTo(const QString &path)
{
    ByteFile copy;
    FileError failure = copy.createNew(path.left(path.lastIndexOf(u'/')));
    QByteArray block(1 << 16, Qt::Uninitialized);
    const qint64 size = HeaderSize + records_;
    for (qint64 at = 0; at < size && !failure.failed(); at += block.size()) {
        const qint64 length = qMin<qint64>(block.size(), size - at);
        failure = reader_.readAt(at, block.data(), length);
        if (!failure.failed())
            failure = copy.writeAt(at, QByteArrayView(block).first(length));
    }
    if (!failure.failed())
        failure = copy.closeDurably();
    if (!failure.failed())
        failure = moveFile(copy.path(), path);
    if (failure.failed()) {
        copy.close();
        deleteFile(copy.path());
    }
    return failure;
}

void RecordStates::close()
{
    reader_.close();
    writer_.close();
}

std::optional<RecordState> RecordStates::state(qint64 record)
{
    char byte = 0;
    if (record < 0 || record >= records_ || reader_.readAt(HeaderSize + record, &byte, 1).failed())
        return std::nullopt;
    switch (RecordState(byte)) {
    case RecordState::Renamed:
    case RecordState::Copied:
    case RecordState::PassedOver:
    case RecordState::Undone: return RecordState(byte);
    case RecordState::Pending: break;
    }
    return std::nullopt;
}

// Best effort: a state that could not be written reads as pending, and a
// pending record is undone as it always was.
void RecordStates::set(qint64 record, RecordState state)
{
    if (record >= 0 && record < records_)
        writer_.writeAt(HeaderSize + record, QByteArrayView(reinterpret_cast<const char *>(&state), 1));
}

} // namespace quorin

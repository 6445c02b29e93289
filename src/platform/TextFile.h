// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FileError.h"
#include "TextCodec.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

namespace quorin {

// A text file open in this program. Every open one can be closed at once when
// the program ends after an unexpected failure.
class OpenTextFile {
public:
    OpenTextFile() = default;
    virtual ~OpenTextFile();
    Q_DISABLE_COPY_MOVE(OpenTextFile)

    bool isOpen() const { return fd_ >= 0; }
    void abandon();

    QString path() const { return path_; }

protected:
    FileError openFile(const QString &path, int flags);
    // Creates a file under a new hidden name in the folder: never an existing
    // file, never through a link someone planted.
    FileError createTemporary(const QString &folder, int flags);
    int fd_ = -1;
    QString path_;
};

// The digest a file's bytes are checked against.
inline constexpr QCryptographicHash::Algorithm DigestAlgorithm = QCryptographicHash::Blake2b_256;

void closeAllFiles();

// Writes lines ending in CR LF. Closing makes the file and its folder entry
// durable before it returns, and reports any write that did not reach the disk.
class LineWriter final : public OpenTextFile {
public:
    // A new file under a temporary name in the folder; path() tells which.
    FileError openNew(const QString &folder);
    FileError writeLine(const QString &line);
    FileError close();
    // The digest of every byte written so far.
    QByteArray digest() const { return digest_.resultView().toByteArray(); }

private:
    FileError flushBuffer();
    QByteArray buffer_;
    QCryptographicHash digest_{DigestAlgorithm};
    TextCodec codec_;
    int pendingErrno_ = 0;
};

// Reads lines ending in CR LF from the start of a file.
class LineReader final : public OpenTextFile {
public:
    FileError open(const QString &path);
    bool atEnd();
    FileError readLine(QString &line);
    void close() { abandon(); }

private:
    bool fill();
    QByteArray buffer_;
    qsizetype position_ = 0;
    bool exhausted_ = false;
    int readErrno_ = 0;
    TextCodec codec_;
};

// Reads the lines of a stretch of a file from its last line to its first, one
// block at a time, so memory does not grow with the file.
class BackwardLineReader final : public OpenTextFile {
public:
    // Lines in [begin, end), each ending in CR LF.
    FileError open(const QString &path, qint64 begin, qint64 end);
    bool atBegin() const { return end_ <= begin_; }
    FileError readPreviousLine(QString &line);
    void close() { abandon(); }

private:
    bool prependBlock();
    qint64 begin_ = 0;
    qint64 end_ = 0;
    QByteArray tail_;
    FileError failure_;
    TextCodec codec_;
};

// A file of fixed-size records read and written in place, such as the state of
// each record of a log.
class ByteFile final : public OpenTextFile {
public:
    FileError createNew(const QString &folder);
    FileError open(const QString &path, bool writable);
    FileError readAt(qint64 offset, char *data, qint64 size);
    FileError writeAt(qint64 offset, QByteArrayView bytes);
    qint64 size() const;
    // Returns once the content is on the disk.
    FileError closeDurably();
    void close() { abandon(); }
};

// The shape of a file of CR LF lines, read in one pass without keeping its lines.
struct LineScan final {
    FileError error;
    QByteArray firstLine;
    qint64 lines = 0;
    // Where the counted lines end: after the last line or after maxLines.
    qint64 end = 0;
    // Every line ends in CR LF, and no line holds a lone CR or LF.
    bool crLfOnly = true;
    // Every line after the first is a full, clean path: it starts with "/",
    // has no empty, "." or ".." part and does not end in "/".
    bool onlyCleanFullPaths = true;
    // Of the whole file, when asked for.
    QByteArray digest;
};

enum class ScanDigest { Skip, Take };
LineScan scanLines(const QString &path, qint64 maxLines = -1, ScanDigest digest = ScanDigest::Skip);

} // namespace quorin

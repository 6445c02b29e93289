// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FileError.h"
#include "TextCodec.h"

#include <QByteArray>
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

protected:
    FileError openFile(const QString &path, int flags);
    int fd_ = -1;
    QString path_;
};

void closeAllFiles();

// Writes lines ending in CR LF. Closing makes the file and its folder entry
// durable before it returns, and reports any write that did not reach the disk.
class LineWriter final : public OpenTextFile {
public:
    FileError open(const QString &path);
    FileError writeLine(const QString &line);
    FileError close();

private:
    FileError flushBuffer();
    QByteArray buffer_;
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
    TextCodec codec_;
};

} // namespace quorin

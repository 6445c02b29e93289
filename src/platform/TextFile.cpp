// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TextFile.h"

#include "FileOperations.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace quorin {
namespace {

constexpr qsizetype BlockSize = 1 << 16;
const QByteArray LineEnd("\r\n");

std::set<OpenTextFile *> &openFiles()
{
    static std::set<OpenTextFile *> files;
    return files;
}

// errno is taken before anything else can change it.
FileError openFailure(int err, const QString &path)
{
    return FileError::fromErrno(err, FileTarget::File, !QFileInfo(QFileInfo(path).absolutePath()).isDir());
}

} // namespace

OpenTextFile::~OpenTextFile()
{
    abandon();
}

FileError OpenTextFile::openFile(const QString &path, int flags)
{
    abandon();
    fd_ = ::open(path.toUtf8().constData(), flags | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return openFailure(errno, path);
    path_ = path;
    openFiles().insert(this);
    return FileError::none();
}

void OpenTextFile::abandon()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    openFiles().erase(this);
}

void closeAllFiles()
{
    while (!openFiles().empty())
        (*openFiles().begin())->abandon();
}

// An earlier file of the name is removed and a new one made, never emptied in
// place: FAT through FUSE keeps the old length of a file emptied while open, and
// the old lines after the new ones would be read as records. A link planted where
// the file goes is neither followed nor removed, and the open then fails.
FileError LineWriter::open(const QString &path)
{
    buffer_.clear();
    pendingErrno_ = 0;
    const QByteArray native = path.toUtf8();
    struct stat info;
    if (lstat(native.constData(), &info) == 0 && S_ISREG(info.st_mode))
        unlink(native.constData());
    return openFile(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW);
}

FileError LineWriter::writeLine(const QString &line)
{
    if (!isOpen())
        return FileError::withCode(BadFileNameOrNumber);
    buffer_ += codec_.encode(line);
    buffer_ += LineEnd;
    return buffer_.size() >= BlockSize ? flushBuffer() : FileError::none();
}

FileError LineWriter::flushBuffer()
{
    const char *data = buffer_.constData();
    qsizetype left = buffer_.size();
    while (left > 0 && !pendingErrno_) {
        const ssize_t put = ::write(fd_, data, size_t(left));
        if (put < 0 && errno != EINTR)
            pendingErrno_ = errno;
        if (put > 0) {
            data += put;
            left -= put;
        }
    }
    buffer_.clear();
    // Start writing the log out now, so that the flush on closing has little left to wait for.
    if (!pendingErrno_)
        sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
    return FileError::fromErrno(pendingErrno_, FileTarget::File);
}

FileError LineWriter::close()
{
    if (!isOpen())
        return FileError::withCode(BadFileNameOrNumber);
    flushBuffer();
    if (!pendingErrno_ && fsync(fd_) != 0)
        pendingErrno_ = errno;
    if (::close(fd_) != 0 && !pendingErrno_)
        pendingErrno_ = errno;
    fd_ = -1;
    openFiles().erase(this);
    if (!pendingErrno_)
        return syncFolder(QFileInfo(path_).absolutePath());
    return FileError::fromErrno(pendingErrno_, FileTarget::File);
}

FileError LineReader::open(const QString &path)
{
    buffer_.clear();
    position_ = 0;
    exhausted_ = false;
    readErrno_ = 0;
    return openFile(path, O_RDONLY);
}

bool LineReader::fill()
{
    if (exhausted_ || !isOpen())
        return false;
    buffer_.remove(0, position_);
    position_ = 0;
    const qsizetype kept = buffer_.size();
    buffer_.resize(kept + BlockSize);
    ssize_t got;
    do
        got = ::read(fd_, buffer_.data() + kept, size_t(BlockSize));
    while (got < 0 && errno == EINTR);
    if (got < 0)
        readErrno_ = errno;
    buffer_.resize(kept + (got > 0 ? got : 0));
    exhausted_ = got <= 0;
    return got > 0;
}

// A read that failed is not the end of the file: the next line reports it.
bool LineReader::atEnd()
{
    return position_ >= buffer_.size() && !fill() && !readErrno_;
}

FileError LineReader::readLine(QString &line)
{
    if (!isOpen())
        return FileError::withCode(BadFileNameOrNumber);
    if (atEnd())
        return FileError::withCode(InputPastEndOfFile);
    qsizetype end;
    while ((end = buffer_.indexOf(LineEnd, position_)) < 0 && fill()) {
    }
    if (readErrno_)
        return FileError::fromErrno(readErrno_, FileTarget::File);
    const qsizetype stop = end < 0 ? buffer_.size() : end;
    line = codec_.decode(QByteArrayView(buffer_).sliced(position_, stop - position_));
    position_ = end < 0 ? buffer_.size() : end + LineEnd.size();
    return FileError::none();
}


FileError BackwardLineReader::open(const QString &path, qint64 begin, qint64 end)
{
    begin_ = begin;
    end_ = end;
    tail_.clear();
    failure_ = FileError::none();
    return openFile(path, O_RDONLY);
}

bool BackwardLineReader::prependBlock()
{
    const qint64 tailStart = end_ - tail_.size();
    const qint64 size = qMin<qint64>(BlockSize, tailStart - begin_);
    if (size <= 0)
        return false;
    QByteArray block(size, Qt::Uninitialized);
    qint64 got = 0;
    while (got < size) {
        const ssize_t n = pread(fd_, block.data() + got, size_t(size - got), off_t(tailStart - size + got));
        if (n < 0 && errno == EINTR)
            continue;
        // The file changed under the reader or could not be read: never hand out part of a line.
        if (n <= 0) {
            failure_ = n < 0 ? FileError::fromErrno(errno, FileTarget::File) : FileError::withCode(InputPastEndOfFile);
            return false;
        }
        got += n;
    }
    tail_.prepend(block);
    return true;
}

FileError BackwardLineReader::readPreviousLine(QString &line)
{
    if (!isOpen())
        return FileError::withCode(BadFileNameOrNumber);
    if (atBegin())
        return FileError::withCode(InputPastEndOfFile);
    if (tail_.isEmpty() && !prependBlock())
        return failure_.failed() ? failure_ : FileError::withCode(InputPastEndOfFile);
    const qsizetype terminator = tail_.endsWith(LineEnd) ? LineEnd.size() : 0;
    const auto previousEnd = [&] {
        const qsizetype from = tail_.size() - terminator - 1;
        return from < 0 ? qsizetype(-1) : tail_.lastIndexOf(LineEnd, from);
    };
    qsizetype start;
    while ((start = previousEnd()) < 0 && prependBlock()) {
    }
    if (failure_.failed())
        return failure_;
    start = start < 0 ? 0 : start + LineEnd.size();
    line = codec_.decode(QByteArrayView(tail_).sliced(start, tail_.size() - terminator - start));
    end_ -= tail_.size() - start;
    tail_.truncate(start);
    return FileError::none();
}

namespace {

void scanOpenFile(int fd, qint64 maxLines, LineScan &scan)
{
    constexpr qsizetype FirstLineKept = 256;
    QByteArray block(BlockSize, Qt::Uninitialized);
    char previous = '\0';
    bool inFirstLine = true;
    bool lineStart = false;
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), size_t(block.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            scan.error = FileError::fromErrno(errno, FileTarget::File);
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            const char c = block.constData()[i];
            ++scan.end;
            if (lineStart && c != '/')
                scan.onlyFullPaths = false;
            lineStart = false;
            if (c == '\n' && previous == '\r') {
                inFirstLine = false;
                lineStart = true;
                if (++scan.lines == maxLines)
                    return;
            } else if (previous == '\r' || c == '\n') {
                scan.crLfOnly = false;
            }
            if (inFirstLine && c != '\r' && scan.firstLine.size() < FirstLineKept)
                scan.firstLine += c;
            previous = c;
        }
    }
    if (previous != '\n') {
        scan.crLfOnly = scan.crLfOnly && scan.end == 0;
        scan.lines += scan.end > 0 ? 1 : 0;
    }
}

} // namespace

LineScan scanLines(const QString &path, qint64 maxLines)
{
    LineScan scan;
    const int fd = ::open(path.toUtf8().constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        scan.error = openFailure(errno, path);
        return scan;
    }
    scanOpenFile(fd, maxLines, scan);
    ::close(fd);
    return scan;
}

} // namespace quorin

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

FileError OpenTextFile::createTemporary(const QString &folder, int flags)
{
    const QString base = folder.endsWith(u'/') ? folder : folder + u'/';
    for (;;) {
        const FileError created = openFile(base + temporaryName(), flags | O_CREAT | O_EXCL | O_NOFOLLOW);
        if (created.code != FileAlreadyExists)
            return created;
    }
}

FileError LineWriter::openNew(const QString &folder)
{
    buffer_.clear();
    digest_.reset();
    pendingErrno_ = 0;
    return createTemporary(folder, O_WRONLY);
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
    digest_.addData(buffer_);
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

FileError ByteFile::createNew(const QString &folder)
{
    return createTemporary(folder, O_RDWR);
}

FileError ByteFile::open(const QString &path, bool writable)
{
    return openFile(path, (writable ? O_RDWR : O_RDONLY) | O_NOFOLLOW);
}

FileError ByteFile::readAt(qint64 offset, char *data, qint64 size)
{
    if (!isOpen())
        return FileError::withCode(BadFileNameOrNumber);
    for (qint64 got = 0; got < size;) {
        const ssize_t n = pread(fd_, data + got, size_t(size - got), off_t(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? FileError::fromErrno(errno, FileTarget::File) : FileError::withCode(InputPastEndOfFile);
        got += n;
    }
    return FileError::none();
}

FileError ByteFile::writeAt(qint64 offset, QByteArrayView bytes)
{
    if (!isOpen())
        return FileError::withCode(BadFileNameOrNumber);
    for (qint64 put = 0; put < bytes.size();) {
        const ssize_t n = pwrite(fd_, bytes.data() + put, size_t(bytes.size() - put), off_t(offset + put));
        if (n < 0 && errno != EINTR)
            return FileError::fromErrno(errno, FileTarget::File);
        put += n > 0 ? n : 0;
    }
    return FileError::none();
}

qint64 ByteFile::size() const
{
    struct stat info;
    return isOpen() && fstat(fd_, &info) == 0 ? qint64(info.st_size) : -1;
}

FileError ByteFile::closeDurably()
{
    if (!isOpen())
        return FileError::withCode(BadFileNameOrNumber);
    int err = fsync(fd_) == 0 ? 0 : errno;
    if (::close(fd_) != 0 && !err)
        err = errno;
    fd_ = -1;
    openFiles().erase(this);
    return FileError::fromErrno(err, FileTarget::File);
}

namespace {

// Follows one path line byte by byte: a full path with no empty, "." or ".."
// part, not ending in "/".
class CleanPathCheck final {
public:
    void start() { length_ = 0, part_ = 0, dotsOnly_ = true; }
    bool take(char c)
    {
        const bool fine = length_++ == 0 ? c == '/' : c != '/' || endsCleanPart();
        if (c == '/')
            part_ = 0, dotsOnly_ = true;
        else
            ++part_, dotsOnly_ = dotsOnly_ && c == '.';
        return fine;
    }
    bool endsCleanPart() const { return part_ > 0 && !(dotsOnly_ && part_ <= 2); }

private:
    qint64 length_ = 0;
    qint64 part_ = 0;
    bool dotsOnly_ = true;
};

void scanOpenFile(int fd, qint64 maxLines, ScanDigest digest, LineScan &scan)
{
    constexpr qsizetype FirstLineKept = 256;
    QByteArray block(BlockSize, Qt::Uninitialized);
    QCryptographicHash hash(DigestAlgorithm);
    CleanPathCheck path;
    char previous = '\0';
    bool inFirstLine = true;
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), size_t(block.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            scan.error = FileError::fromErrno(errno, FileTarget::File);
        if (got <= 0)
            break;
        if (digest == ScanDigest::Take)
            hash.addData(QByteArrayView(block.constData(), got));
        for (ssize_t i = 0; i < got; ++i) {
            const char c = block.constData()[i];
            ++scan.end;
            if (c == '\n' && previous == '\r') {
                if (!inFirstLine && !path.endsCleanPart())
                    scan.onlyCleanFullPaths = false;
                inFirstLine = false;
                path.start();
                if (++scan.lines == maxLines)
                    return;
            } else if (previous == '\r' || c == '\n') {
                scan.crLfOnly = false;
            } else if (!inFirstLine && c != '\r' && !path.take(c)) {
                scan.onlyCleanFullPaths = false;
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
    if (digest == ScanDigest::Take)
        scan.digest = hash.result();
}

} // namespace

LineScan scanLines(const QString &path, qint64 maxLines, ScanDigest digest)
{
    LineScan scan;
    const int fd = ::open(path.toUtf8().constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        scan.error = openFailure(errno, path);
        return scan;
    }
    scanOpenFile(fd, maxLines, digest, scan);
    ::close(fd);
    return scan;
}

} // namespace quorin

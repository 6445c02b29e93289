// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TextFile.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <set>
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

int syncFolderOf(const QString &path)
{
    const int folder = ::open(QFileInfo(path).absolutePath().toUtf8().constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return errno;
    const int err = fsync(folder) == 0 ? 0 : errno;
    ::close(folder);
    return err;
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
        return FileError::fromErrno(errno, FileTarget::File, !QFileInfo(QFileInfo(path).absolutePath()).isDir());
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

FileError LineWriter::open(const QString &path)
{
    buffer_.clear();
    pendingErrno_ = 0;
    return openFile(path, O_WRONLY | O_CREAT | O_TRUNC);
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
        pendingErrno_ = syncFolderOf(path_);
    return FileError::fromErrno(pendingErrno_, FileTarget::File);
}

FileError LineReader::open(const QString &path)
{
    buffer_.clear();
    position_ = 0;
    exhausted_ = false;
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
    buffer_.resize(kept + (got > 0 ? got : 0));
    exhausted_ = got <= 0;
    return got > 0;
}

bool LineReader::atEnd()
{
    return position_ >= buffer_.size() && !fill();
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
    const qsizetype stop = end < 0 ? buffer_.size() : end;
    line = codec_.decode(QByteArrayView(buffer_).sliced(position_, stop - position_));
    position_ = end < 0 ? buffer_.size() : end + LineEnd.size();
    return FileError::none();
}

} // namespace quorin

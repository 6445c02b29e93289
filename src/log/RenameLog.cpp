// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RenameLog.h"

#include "LogNames.h"
#include "RecordStates.h"
#include "engine/RenameJob.h"
#include "platform/FileOperations.h"

namespace quorin {
namespace {

QString folderOf(const QString &path) { return path.left(path.lastIndexOf(u'/')); }

// The first dated name that no log holds; states left there by a move aside
// that was cut short belong to no log and go.
QString freeDatedName(const QString &logPath, const QDateTime &modified, int &attempt)
{
    QString dated;
    while (pathExists(dated = datedLogPath(logPath, modified, ++attempt))) {
    }
    if (pathExists(statesPathFor(dated)))
        deleteFile(statesPathFor(dated));
    return dated;
}

// An earlier log of this name goes to a dated name with its states, so that a
// new run never destroys what an earlier one needs to be undone. The states
// are copied before the log moves and removed after it, so a log is never
// without them whenever the move is cut short. States left without a log by
// an interrupted run are of no use to anyone and go.
FileError moveEarlierLogAside(const QString &logPath)
{
    const QString states = statesPathFor(logPath);
    if (!pathExists(logPath)) {
        if (pathExists(states))
            deleteFile(states);
        return FileError::none();
    }
    const QDateTime modified = modifiedAt(logPath);
    RecordStates earlier;
    const bool withStates = earlier.open(logPath) == RecordStates::Found::Present;
    FileError moved = FileError::withCode(FileAlreadyExists);
    for (int attempt = 0; moved.code == FileAlreadyExists;) {
        const QString dated = freeDatedName(logPath, modified, attempt);
        if (withStates)
            if (FileError copied = earlier.copyTo(statesPathFor(dated)); copied.failed())
                return copied;
        moved = moveFile(logPath, dated);
        if (moved.failed() && withStates)
            deleteFile(statesPathFor(dated));
    }
    earlier.close();
    if (!moved.failed() && pathExists(states))
        deleteFile(states);
    return moved;
}

// The states of an earlier log that could not be moved or removed block the
// name, not the log itself: the failure names the file that is in the way.
FileError naming(FileError failure, const QString &path)
{
    if (failure.failed())
        failure.description += QStringLiteral("：") + path;
    return failure;
}

} // namespace

QString RenameLog::folderFor(const QString &destinationFolder)
{
    return asFolderPath(destinationFolder) + QStringLiteral("Restore");
}

QString RenameLog::pathFor(const QString &destinationFolder, const QString &fileType)
{
    return folderFor(destinationFolder) + QStringLiteral("/Restore") + fileType + QStringLiteral(".log");
}

QString RenameLog::headerLine(const QDateTime &now)
{
    return QStringLiteral("###  文件重命名日志--由 Quorin v1.25 创建于 ")
           + now.toString(QStringLiteral("yyyy年MM月dd日 HH:mm:ss"))
           + QStringLiteral("  ###  请保留此文件，以便可以恢复原文件名！");
}

FileError RenameLog::CreateRenameLog(const QString &destinationFolder, const QString &fileType,
                                     const QDateTime &now)
{
    const QString folder = folderFor(destinationFolder);
    const FileError created = createFolder(folder);
    if (created.failed() && !isFolder(folder))
        return created;
    if (!lock_.tryLock(folder, fileType))
        return logInUse();
    finalPath_ = pathFor(destinationFolder, fileType);
    records_ = 0;
    if (FileError opened = writer_.openNew(folder); opened.failed())
        return opened;
    path_ = writer_.path();
    return writer_.writeLine(headerLine(now));
}

FileError RenameLog::AppendLogRecord(const PlannedRename &record)
{
    if (FileError written = writer_.writeLine(record.OldPath); written.failed())
        return written;
    ++records_;
    return writer_.writeLine(record.NewPath);
}

// The "Restore" folder may be new, so the destination's entry for it is made
// durable too; the names are made durable before any file is touched.
FileError RenameLog::commit()
{
    const QString folder = folderOf(finalPath_);
    if (FileError closed = writer_.close(); closed.failed())
        return closed;
    if (FileError synced = syncFolder(folderOf(folder)); synced.failed())
        return synced;
    RecordStates states;
    if (FileError written = states.create(folder, records_, writer_.digest()); written.failed())
        return written;
    FileError named = moveEarlierLogAside(finalPath_);
    if (!named.failed())
        named = naming(moveFile(states.createdPath(), statesPathFor(finalPath_)), statesPathFor(finalPath_));
    if (named.failed()) {
        deleteFile(states.createdPath());
        return named;
    }
    if (named = moveFile(path_, finalPath_); named.failed()) {
        deleteFile(statesPathFor(finalPath_));
        return named;
    }
    path_ = finalPath_;
    return syncFolder(folder);
}

FileError RenameLog::openForReading(const QString &logPath)
{
    path_ = logPath;
    if (FileError opened = reader_.open(logPath); opened.failed())
        return opened;
    QString header;
    return reader_.readLine(header);
}

FileError RenameLog::ReadLogRecord(PlannedRename &record)
{
    if (FileError read = reader_.readLine(record.OldPath); read.failed())
        return read;
    return reader_.readLine(record.NewPath);
}

FileError logInUse()
{
    return {PathFileAccessError, QStringLiteral("另一个重命名或恢复操作正在使用这个重命名日志，请等它结束后再试。")};
}

FileError DiscardRenameLog(const QString &logPath)
{
    const FileError removed = deleteFile(logPath);
    const QString states = statesPathFor(logPath);
    const FileError statesRemoved = pathExists(states) ? deleteFile(states) : FileError::none();
    const FileError folder = removeFolder(folderOf(logPath));
    return removed.failed() ? removed : statesRemoved.failed() ? statesRemoved : folder;
}

} // namespace quorin

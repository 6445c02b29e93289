// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RenameLog.h"

#include "platform/FileOperations.h"

#include <QFileInfo>

namespace quorin {

QString RenameLog::folderFor(const QString &destinationFolder)
{
    const QString folder = destinationFolder.endsWith(u'/') ? destinationFolder : destinationFolder + u'/';
    return folder + QStringLiteral("Restore");
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
    const FileError folder = createFolder(folderFor(destinationFolder));
    if (folder.failed() && !isFolder(folderFor(destinationFolder)))
        return folder;
    const QString path = pathFor(destinationFolder, fileType);
    if (FileError opened = writer_.open(path); opened.failed())
        return opened;
    path_ = path;
    return writer_.writeLine(headerLine(now));
}

FileError RenameLog::AppendLogRecord(const PlannedRename &record)
{
    if (FileError written = writer_.writeLine(record.OldPath); written.failed())
        return written;
    return writer_.writeLine(record.NewPath);
}

// The "Restore" folder may be new, so the destination's entry for it is made
// durable too.
FileError RenameLog::closeWriting()
{
    if (FileError closed = writer_.close(); closed.failed())
        return closed;
    return syncFolder(QFileInfo(QFileInfo(path_).absolutePath()).absolutePath());
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

FileError DiscardRenameLog(const QString &logPath)
{
    const FileError removed = deleteFile(logPath);
    const FileError folder = removeFolder(logPath.left(logPath.lastIndexOf(u'/')));
    return removed.failed() ? removed : folder;
}

} // namespace quorin

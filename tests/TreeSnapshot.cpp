// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TreeSnapshot.h"

#include "TempFolder.h"

#include "log/RenameLog.h"
#include "platform/FolderListing.h"

#include <QCryptographicHash>

namespace quorin::test {
namespace {

// Walked with the program's own listing, which keeps every name as it is.
void addFiles(const QString &root, const QString &relative, QMap<QString, QByteArray> &files)
{
    FolderListing listing(root + relative, HiddenIncluded);
    FolderEntry entry;
    while (listing.next(entry)) {
        if (entry.name == u"." || entry.name == u".." || (entry.isFolder && entry.name == u"Restore"))
            continue;
        if (entry.isFolder)
            addFiles(root, relative + entry.name + u'/', files);
        else
            files[relative + entry.name] =
                QCryptographicHash::hash(readAll(root + relative + entry.name), QCryptographicHash::Sha256);
    }
}

} // namespace

QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    addFiles(root.endsWith(u'/') ? root : root + u'/', QString(), files);
    return files;
}

QList<PlannedRename> readLogRecords(const QString &path, FileError *last)
{
    RenameLog log;
    QList<PlannedRename> records;
    FileError e = log.openForReading(path);
    for (PlannedRename r; !e.failed() && !log.atEnd();) {
        e = log.ReadLogRecord(r);
        if (!e.failed())
            records << r;
    }
    if (last)
        *last = e;
    return records;
}

} // namespace quorin::test

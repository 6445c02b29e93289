// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RenameJob.h"

namespace quorin {

QString RenameJob::destinationPath() const
{
    return DestinationFolder.endsWith(u'/') ? DestinationFolder : DestinationFolder + u'/';
}

QString RenameJob::targetFolder(const QString &scannedFolder) const
{
    return CopyToDestination || MoveToDestination ? destinationPath() : scannedFolder;
}

QString asFolderPath(const QString &text)
{
    QString path = text;
    while (path.startsWith(u' '))
        path.remove(0, 1);
    while (path.endsWith(u' '))
        path.chop(1);
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace quorin

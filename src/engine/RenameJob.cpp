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
    return text.endsWith(u'/') ? text : text + u'/';
}

} // namespace quorin

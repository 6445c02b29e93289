// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RenameJob.h"

#include <QDir>

namespace quorin {

QString RenameJob::destinationPath() const
{
    return asFolderPath(DestinationFolder);
}

QString RenameJob::targetFolder(const QString &scannedFolder) const
{
    return CopyToDestination || MoveToDestination ? destinationPath() : scannedFolder;
}

QString asFolderPath(const QString &text)
{
    // Most paths are clean and full already, and this runs for every file.
    const bool relative = !text.startsWith(u'/');
    const bool maybeUnclean = relative || text.contains(u"//") || text.contains(u"/.");
    const QString clean = maybeUnclean ? QDir::cleanPath(relative ? QDir::current().absoluteFilePath(text) : text) : text;
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

} // namespace quorin

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
    // Most paths are clean already, and this runs for every file.
    const bool maybeUnclean = text.contains(u"//") || text.contains(u"/.") || text.startsWith(u'.');
    const QString clean = maybeUnclean ? QDir::cleanPath(text) : text;
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

} // namespace quorin

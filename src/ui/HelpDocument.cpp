// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "HelpDocument.h"

#include <QDir>
#include <QFileInfo>

namespace quorin {

QString helpDocument(const QString &programFolder)
{
    const QDir folder(programFolder);
    for (const QString &place : {QStringLiteral("help.htm"), QStringLiteral("../share/quorin/help.htm")}) {
        const QFileInfo document(folder.filePath(place));
        if (document.isFile())
            return QDir::cleanPath(document.absoluteFilePath());
    }
    return {};
}

} // namespace quorin

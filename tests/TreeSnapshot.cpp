// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TreeSnapshot.h"

#include "TempFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>

namespace quorin::test {

QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = base.relativeFilePath(path);
        if (relative.startsWith(QStringLiteral("Restore/")) || relative.contains(QStringLiteral("/Restore/")))
            continue;
        files[relative] = QCryptographicHash::hash(readAll(path), QCryptographicHash::Sha256);
    }
    return files;
}

} // namespace quorin::test

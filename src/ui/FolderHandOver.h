// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QLocalServer>

#include <functional>

namespace quorin {

// The running copy's door for a folder opened from the desktop while it runs:
// a socket in the user's runtime folder that only the same user can reach. A
// second copy writes one full folder path to it and closes it.
class FolderHandOver final : public QObject {
public:
    // `receive` is given each folder that arrives; anything else is dropped.
    explicit FolderHandOver(std::function<void(const QString &folder)> receive);
    // The caller holds the single-copy lock, so a socket left behind by a copy
    // that was killed is nobody's and is removed first.
    bool listen();

private:
    void takeConnection();

    QLocalServer server_;
    std::function<void(const QString &folder)> receive_;
};

// The folder a message names: the bytes of one full path as the file system
// spells it, nothing before or after it; empty for anything else.
QString handedFolder(const QByteArray &message);

// Hands the folder to the copy that runs; false when none takes it.
bool handOverFolder(const QString &folder);

} // namespace quorin

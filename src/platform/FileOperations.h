// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FileError.h"

#include <QDateTime>
#include <QString>

namespace quorin {

// Every change the program makes on disk goes through these. None of them ever
// replaces an existing file: a taken target fails with FileAlreadyExists.

// True for a folder itself; a symbolic link to a folder is not one.
bool isFolder(const QString &path);
bool pathExists(const QString &path);

// The modification time of the entry itself, a link not followed.
QDateTime modifiedAt(const QString &path);
// The device and inode of a folder, to know it whatever its path is spelled like.
struct FileIdentity final {
    quint64 device = 0;
    quint64 inode = 0;
    bool valid = false;
    bool operator==(const FileIdentity &) const = default;
};
FileIdentity identityOf(const QString &path);

// A new hidden name for a file being written: "." and 15 more characters, so
// a file the program has not finished is never mistaken for a real one.
QString temporaryName();
bool isTemporaryName(QStringView name);

// True when both paths are regular files holding the same bytes.
bool sameContent(const QString &one, const QString &other);

FileError createFolder(const QString &path);
// Makes the folder's entries (a new file's name among them) durable.
FileError syncFolder(const QString &path);
FileError removeFolder(const QString &path);
FileError deleteFile(const QString &path);

// Renames or moves a file. Across file systems the file is copied, flushed and
// only then removed from where it was.
FileError moveFile(const QString &from, const QString &to);

// Copies a file with its mode and modification time, a symbolic link as a link.
// A copy that fails part-way leaves no partial target behind.
FileError copyFile(const QString &from, const QString &to);

} // namespace quorin

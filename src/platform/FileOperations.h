// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FileError.h"

#include <QString>

namespace quorin {

// Every change the program makes on disk goes through these. None of them ever
// replaces an existing file: a taken target fails with FileAlreadyExists.

// True for a folder itself; a symbolic link to a folder is not one.
bool isFolder(const QString &path);
bool pathExists(const QString &path);

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

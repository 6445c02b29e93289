// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FileError.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <initializer_list>

namespace quorin {

// Every change the program makes on disk goes through these. None of them ever
// replaces an existing file: a taken target fails with FileAlreadyExists.

// The failure of a call on files, errno as the program's code: a folder
// missing on one of the paths is told apart from a missing file.
FileError fileCallFailure(int err, std::initializer_list<const QByteArray *> paths);

// True for a folder itself; a symbolic link to a folder is not one.
bool isFolder(const QString &path);
// True for a folder, or a link to one: judged by the folder itself, since the
// root of an empty memory card lists no entry at all, not even ".".
bool folderExists(const QString &path);
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

// A new hidden name for a file being written, ".quorin-" and six letters or
// digits: a file the program has not finished is never mistaken for a real one,
// and no listing delivers it.
QString temporaryName();
bool isTemporaryName(QByteArrayView name);
// The same kind of name, its letters drawn from a digest instead of at random,
// so that the same digest always gives the same name.
QString temporaryNameFrom(QByteArrayView digest);

// True where moveFile would leave the file alone as nameNotHeld: a name FAT
// cannot hold, in a folder on FAT, exFAT or a file system through FUSE.
bool nameNotHeldAt(const QString &path);

// True for a path, or a last name, longer than the system takes: a rename to
// it fails with PathFileAccessError.
bool tooLong(const QString &path);

// True for a file system reached through FUSE, such as a memory card mounted
// by fusefat or exfat-fuse, where positioned reads and writes cannot be
// trusted the way a kernel file system's can.
bool isOnFuse(const QString &path);

FileError createFolder(const QString &path);
// Makes the folder's entries (a new file's name among them) durable.
FileError syncFolder(const QString &path);
FileError removeFolder(const QString &path);
FileError deleteFile(const QString &path);

// Renames or moves a file. Across file systems the file is copied, flushed and
// only then removed from where it was; copyWhole runs once the copy is whole,
// just before it takes its name, so a caller can note that the bytes now stand
// under both names. On a file system that cannot hold a character of the new
// name (FAT), nothing is tried: nameNotHeld.
FileError moveFile(const QString &from, const QString &to, const std::function<void()> &copyWhole = {});

// Copies a file with its mode and modification time where the target can keep
// them, a symbolic link as a link (refused with 75 where the target has none).
// The target's name only ever holds a whole copy: the copy is written under a
// hidden ".quorin-XXXXXX" name beside it first.
FileError copyFile(const QString &from, const QString &to);

// True when a file stands under exactly this name. Where the other spelling
// differs from it in case only, the folder's listing decides, since a file
// system that ignores case finds the file under either spelling.
bool existsAsSpelled(const QString &path, const QString &otherSpelling);

// A change of case cut short between its two steps leaves the file under a
// hidden name: gives it the name `path` back. FileNotFound when it is not there.
FileError finishCaseRename(const QString &path);

// Removes the hidden files that copies cut short left in a folder: only those
// that no live process holds locked while writing them.
void removeAbandonedCopies(const QString &folder);

// For a move across file systems cut short after its copy was whole: when
// duplicate holds exactly the bytes of original (or, as links, the same
// target), and the two are not one file under two names, original is made
// durable and duplicate removed. Otherwise FileAlreadyExists and nothing changes.
FileError removeDuplicate(const QString &duplicate, const QString &original);

} // namespace quorin

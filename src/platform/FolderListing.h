// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>
#include <QtGlobal>

#include <dirent.h>

namespace quorin {

// Which entries a listing delivers. Hidden entries (names starting with ".")
// come only with HiddenIncluded; "." and ".." come as the file system gives them.
enum AttributeMask : int {
    HiddenExcluded = 21,
    HiddenIncluded = 23,
};

struct FolderEntry final {
    QString name;
    bool isFolder = false;
    // A name that is not valid UTF-8 cannot be written back faithfully, so it is
    // never renamed; its text here has replacement characters in it.
    bool nameIsFaithful = true;
};

// The entries of one folder in the file system's own order, one at a time.
// A folder that cannot be opened or read lists nothing.
class FolderListing final {
public:
    FolderListing(const QString &folderPath, AttributeMask mask);
    ~FolderListing();
    Q_DISABLE_COPY_MOVE(FolderListing)

    bool isOpen() const { return dir_ != nullptr; }
    int openError() const { return openErrno_; }
    bool next(FolderEntry &entry);

private:
    bool isFolderEntry(const dirent *entry) const;

    DIR *dir_ = nullptr;
    int openErrno_ = 0;
    bool includeHidden_;
};

bool isValidUtf8(const char *text, qsizetype length);

} // namespace quorin

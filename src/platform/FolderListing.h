// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArrayView>
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
    // The next entry as the file system holds its name; the bytes last until
    // the next call.
    bool nextRaw(QByteArrayView &name, bool &isFolder);

private:
    bool isFolderEntry(const dirent *entry) const;

    DIR *dir_ = nullptr;
    int openErrno_ = 0;
    bool includeHidden_;
};

bool isValidUtf8(const char *text, qsizetype length);

// A name's text exactly as its bytes spell it: unlike QString::fromUtf8, a
// leading U+FEFF is kept, since it tells two files apart.
QString nameFromBytes(QByteArrayView bytes);

// An entry with its name's text and whether that text is faithful.
void fillEntry(FolderEntry &entry, QByteArrayView name, bool isFolder);

} // namespace quorin

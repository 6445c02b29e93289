// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FolderListing.h"

#include "FileOperations.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace quorin {

FolderListing::FolderListing(const QString &folderPath, AttributeMask mask)
    : includeHidden_(mask == HiddenIncluded)
{
    dir_ = opendir(folderPath.toUtf8().constData());
    if (!dir_)
        openErrno_ = errno;
}

FolderListing::~FolderListing()
{
    if (dir_)
        closedir(dir_);
}

bool FolderListing::next(FolderEntry &entry)
{
    QByteArrayView name;
    bool isFolder = false;
    if (!nextRaw(name, isFolder))
        return false;
    fillEntry(entry, name, isFolder);
    return true;
}

bool FolderListing::nextRaw(QByteArrayView &name, bool &isFolder)
{
    if (!dir_)
        return false;
    for (;;) {
        const dirent *raw = readdir(dir_);
        if (!raw)
            return false;
        const char *text = raw->d_name;
        const bool dotEntry = std::strcmp(text, ".") == 0 || std::strcmp(text, "..") == 0;
        if (text[0] == '.' && !dotEntry && (!includeHidden_ || isTemporaryName(text)))
            continue;
        name = QByteArrayView(text, qsizetype(std::strlen(text)));
        isFolder = isFolderEntry(raw);
        return true;
    }
}

// Symbolic links are never followed: a link to a folder is listed as a file.
bool FolderListing::isFolderEntry(const dirent *entry) const
{
    if (entry->d_type != DT_UNKNOWN)
        return entry->d_type == DT_DIR;
    struct stat info;
    if (fstatat(dirfd(dir_), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    return S_ISDIR(info.st_mode);
}

QString nameFromBytes(QByteArrayView bytes)
{
    static constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");
    if (!bytes.startsWith(ByteOrderMark))
        return QString::fromUtf8(bytes);
    return QChar(0xFEFF) + nameFromBytes(bytes.sliced(ByteOrderMark.size()));
}

void fillEntry(FolderEntry &entry, QByteArrayView name, bool isFolder)
{
    entry.nameIsFaithful = isValidUtf8(name.data(), name.size());
    entry.name = nameFromBytes(name);
    entry.isFolder = isFolder;
}

bool isValidUtf8(const char *text, qsizetype length)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text);
    const auto *end = p + length;
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        int follow;
        char32_t cp;
        if (lead >= 0xC2 && lead <= 0xDF) { follow = 1; cp = lead & 0x1F; }
        else if (lead >= 0xE0 && lead <= 0xEF) { follow = 2; cp = lead & 0x0F; }
        else if (lead >= 0xF0 && lead <= 0xF4) { follow = 3; cp = lead & 0x07; }
        else return false;
        if (end - p < follow)
            return false;
        for (int i = 0; i < follow; ++i, ++p) {
            if ((*p & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (*p & 0x3F);
        }
        const char32_t smallest = follow == 1 ? 0x80 : follow == 2 ? 0x800 : 0x10000;
        if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
    }
    return true;
}

} // namespace quorin

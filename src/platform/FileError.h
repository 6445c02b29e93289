// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>

#include <initializer_list>

namespace quorin {

// The failure codes the program acts on. Every other failure gets a code of
// OtherErrorBase + errno, so it can never be mistaken for one of these.
enum ErrorCode : int {
    NoError = 0,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyExists = 58,
    InputPastEndOfFile = 62,
    PathFileAccessError = 75,
    PathNotFound = 76,
    OtherErrorBase = 1000,
};

// What a failing call was doing; the same errno means different things for a
// file and for a folder (EEXIST is "file already exists" only for a file).
enum class FileTarget { File, Folder };

struct FileError final {
    int code = NoError;
    QString description;
    // The target's file system cannot hold the new name, so no rename was tried:
    // the file is left alone, like a name the log cannot hold. Its code is 75.
    bool nameNotHeld = false;

    bool failed() const { return code != NoError; }
    static FileError none() { return {}; }
    static FileError withCode(int code);
    static FileError nameNotHeldByTarget();
    static FileError fromErrno(int err, FileTarget target, bool folderOnPathMissing = false);
};

// The codes one operation passes over; any other failure ends the program
// through the general error box.
class ErrorRule final {
public:
    constexpr ErrorRule(std::initializer_list<int> passedOver)
    {
        for (int code : passedOver)
            codes_[count_++] = code;
    }
    static constexpr ErrorRule passingEverything()
    {
        ErrorRule rule({});
        rule.all_ = true;
        return rule;
    }
    bool passesOver(const FileError &error) const;

private:
    int codes_[8] = {};
    int count_ = 0;
    bool all_ = false;
};

inline constexpr ErrorRule RunErrorRule{FileNotFound, FileAlreadyExists, PathFileAccessError};
inline constexpr ErrorRule RestoreErrorRule{FileNotFound, FileAlreadyExists, PathFileAccessError, PathNotFound};
inline constexpr ErrorRule StopErrorRule = ErrorRule::passingEverything();

} // namespace quorin

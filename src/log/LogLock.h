// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>

namespace quorin {

// Keeps a second operation off one log folder and file type while a run, its
// roll-back or a restore uses it, whichever process it runs in (the window,
// quorin-cli). The system lets go of a lock whose holder dies, so a killed
// holder never keeps the next one out.
class LogLock final {
public:
    LogLock() = default;
    ~LogLock() { unlock(); }
    Q_DISABLE_COPY_MOVE(LogLock)

    // False while another operation holds the folder and type. Where no lock
    // can be made at all, nobody can hold one either, and the operation goes on.
    bool tryLock(const QString &logFolder, const QString &fileType);
    void unlock();

private:
    int fd_ = -1;
};

// The file type a log is named after: "JPG" for RestoreJPG.log and for the
// dated RestoreJPG-20261207-083000-2.log it was moved aside to.
QString fileTypeOfLog(const QString &logPath);

} // namespace quorin

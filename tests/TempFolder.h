// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace quorin::test {

// A real folder on disk for one test, removed afterwards (immutable flags that
// a test set are cleared first).
class TempFolder final {
public:
    ~TempFolder();

    // The folder's path, ending in "/".
    QString path() const;
    QString file(const QString &relative) const { return path() + relative; }
    void write(const QString &relative, const QByteArray &content = {}) const;
    // Each file in the folder holds its own name, so any mix-up shows.
    void writeNamed(const QString &folder, const QStringList &names) const;
    void makeFolder(const QString &relative) const;
    // False where the file system or the user cannot set the flag.
    bool setImmutable(const QString &relative, bool on = true) const;

private:
    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/quorin-test-XXXXXX")};
};

QByteArray readAll(const QString &path);
bool exists(const QString &path);
bool runningAsRoot();
// True once the program's single-copy lock file names the process as its
// owner, waiting up to ten seconds.
bool holdsLock(const QString &lockPath, qint64 pid);
// Runs a shell command; returns its standard output.
QByteArray shell(const QString &command, int *status = nullptr);

// A small tmpfs mounted on a new folder, for a disk that fills up; unmounted
// again at the end. Mounting needs root.
class SmallDisk final {
public:
    SmallDisk(const QString &folder, const QString &size);
    ~SmallDisk();
    bool mounted() const { return mounted_; }

private:
    QString folder_;
    bool mounted_ = false;
};

} // namespace quorin::test

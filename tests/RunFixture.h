// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FakeHost.h"
#include "TempFolder.h"
#include "TreeSnapshot.h"

#include "log/RenameLog.h"
#include "log/Restore.h"
#include "run/RunBatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace quorin::test {

// A run's files done, passed over and left alone.
using Counts = std::tuple<qint64, qint64, qint64>;

// One run and its restore: the files made in the source, the rest of the
// set-up, the counts expected and, when given, the destination's files just
// after the run and a move of the log that returns where it went.
struct RoundTrip {
    const char *what;
    QStringList files;
    std::function<void()> setUp;
    Counts counts;
    QStringList destinationAfter = {};
    std::function<QString(const QString &)> moveLog = {};
};

// A source folder "src" in a temporary folder, a window stand-in set up for a
// classic in-place run over JPG files, and helpers to look at the result.
class RunFixture : public ::testing::Test {
protected:
    RunFixture() { startAfresh(); }

    QString src() const { return dir.file("src"); }
    // Each file gets its own path as content, so any mix-up shows.
    void makeFiles(const QStringList &relative) const { dir.writeNamed(QStringLiteral("src"), relative); }
    QString logPath() const { return RenameLog::pathFor(host.job.DestinationFolder, host.job.FileType); }
    RunReport run() { return StartRun(host); }
    RestoreReport restore(const QString &path) { return RestoreChosenLog(host, path); }
    // What a preview of the job counts: done, passed over, left alone.
    Counts previewCounts();
    // Not running, no stop asked, Start and Restore enabled, the program not ended.
    void expectIdle() const
    {
        EXPECT_EQ(std::tuple(host.runInProgress, host.stop, host.startEnabled, host.restoreEnabled, host.ended),
                  std::tuple(false, false, true, true, false));
    }

    // A copy run, or else a move run, into `folder`, which is made first.
    void sendInto(const QString &folder, bool copy);
    // Numbers the files anew, their old names dropped: "p001.jpg", …
    void dropOldNames(const QString &numberStyle = QStringLiteral("001"));
    // An advanced edit that replaces the first `find` in each name.
    void replaceInNames(const QString &find, const QString &replace);
    // The log's records, each as "old path below src" and "new name".
    QStringList planned(const QString &logPath) const;
    // Leaves a completed run's log and files as a kill after its first `carriedOut`
    // records would have: the later records' states pending and their renames
    // and copies not made.
    void asKilledAfter(const QString &logPath, qsizetype carriedOut) const;
    // Restores the log: every file must come back and the source be as `before`.
    ::testing::AssertionResult restoresTo(const QString &logPath, const QMap<QString, QByteArray> &before);
    // Each trip is set up, run and restored: the counts as expected, every
    // file the log does not name still under its name, and in the end the
    // source as it was and no log folder. Each starts afresh.
    void roundTrips(std::initializer_list<RoundTrip> trips);
    // An empty source, no folder "out", a window stand-in that has shown
    // nothing and the job the fixture starts with.
    void startAfresh();
    // The last box shown has this title, icon, whole prompt and buttons.
    ::testing::AssertionResult lastBoxIs(const QString &title, MessageIcon icon, const QString &prompt,
                                         MessageButtons buttons = MessageButtons::Ok) const;

    TempFolder dir;
    FakeHost host;
};

inline QString fileName(const QString &path) { return path.mid(path.lastIndexOf(u'/') + 1); }
inline QString folderOf(const QString &path) { return path.left(path.lastIndexOf(u'/') + 1); }
inline Counts counts(const RunReport &report) { return {report.done, report.passedOver, report.leftAlone}; }
// The files below a folder, its log folders left out.
inline QStringList names(const QString &folder) { return snapshot(folder).keys(); }

} // namespace quorin::test

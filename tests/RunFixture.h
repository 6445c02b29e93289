// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FakeHost.h"
#include "TempFolder.h"
#include "TreeSnapshot.h"

#include "engine/PlannedRename.h"
#include "run/RunBatch.h"
#include "log/Restore.h"

#include <gtest/gtest.h>

namespace quorin::test {

// A source folder "src" in a temporary folder, a window stand-in set up for a
// classic in-place run over JPG files, and helpers to look at the result.
class RunFixture : public ::testing::Test {
protected:
    RunFixture();

    QString src() const { return dir.file("src"); }
    // Each file gets its own path as content, so any mix-up shows.
    void makeFiles(const QStringList &relative) const;
    QString logPath() const;
    QList<PlannedRename> logRecords(const QString &path) const;
    RunReport run() { return StartRun(host); }
    RestoreReport restore(const QString &path) { return RestoreChosenLog(host, path); }
    void expectIdle() const;

    TempFolder dir;
    FakeHost host;
};

QString fileName(const QString &path);
QString folderOf(const QString &path);

} // namespace quorin::test

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Runs killed between any two of their file-changing calls, then restored:
// nothing may be lost, and Restore must not report a failure for a file that
// is back.
#include "TempFolder.h"
#include "TreeSnapshot.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorin::test;

namespace {

struct Outcome {
    bool killed = false;
    int status = -1;
    QString err;
};

struct Mode {
    const char *name;
    QStringList options;
    // The earlier run whose log the killed run finds in its place.
    QString earlierSource;
    // Where the files go, for a copy or a move.
    QString destination;
};

class KilledRun : public ::testing::Test {
protected:
    Outcome cli(const QStringList &args, long killAt = 0) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.file("config"));
        env.insert("LD_PRELOAD", QStringLiteral(QUORIN_KILL_LIBRARY));
        env.insert("QUORIN_KILL_AT", QString::number(killAt));
        // Under AddressSanitizer the preloaded library comes before its runtime.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUORIN_CLI_PATH), args);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::CrashExit, process.exitCode(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    void makeTree() const
    {
        for (const char *name : {"src/a.jpg", "src/b.jpg", "src/sub/照片.jpg", "src2/d.jpg", "src2/e.jpg"})
            dir.write(QString::fromUtf8(name), QByteArray("content of ") + name);
        dir.makeFolder("out");
        dir.makeFolder("config");
    }

    QStringList runArgs(const QString &source, const Mode &mode) const
    {
        return QStringList{"run", "--source", source, "--type", "jpg", "--add", "n", "--prefix", "--style", "1",
                           "--yes"}
               + mode.options;
    }

    // The newest log first: the one under the plain name, then those moved aside.
    QStringList logsIn(const QString &folder) const
    {
        QStringList logs = QDir(folder).entryList({"*.log"}, QDir::Files, QDir::Name | QDir::Reversed);
        logs.sort();
        std::reverse(logs.begin(), logs.end());
        for (QString &log : logs)
            log.prepend(folder + u'/');
        return logs;
    }

    void restoreEverything(const QString &logFolder, long killAt) const
    {
        for (const QString &log : logsIn(logFolder)) {
            SCOPED_TRACE(log.toStdString());
            Outcome restored = cli({"restore", "--yes", log}, killAt);
            if (restored.killed && QFile::exists(log))
                restored = cli({"restore", "--yes", log});
            if (restored.killed)
                continue;
            EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
            EXPECT_FALSE(restored.err.contains(QString::fromUtf8("未能恢复"))) << restored.err.toStdString();
        }
    }

    TempFolder dir;
};

} // namespace

TEST_F(KilledRun, atEveryStep_restoreLosesNothingAndReportsNoFalseFailure)
{
    QList<Mode> modes = {
        {"in place with sub-folders", {"--subdirs"}, QString(), QString()},
        {"copy", {"--copy", "--dest", dir.file("out")}, dir.file("src2"), dir.file("out")},
        {"move", {"--move", "--dest", dir.file("out")}, dir.file("src2"), dir.file("out")},
    };
    // A move into another file system copies each file, then removes it.
    QTemporaryDir shm(QStringLiteral("/dev/shm/quorin-kill-XXXXXX"));
    if (shm.isValid() && QStorageInfo(shm.path()) != QStorageInfo(dir.path()))
        modes.append({"move across file systems", {"--move", "--dest", shm.path()}, dir.file("src2"), shm.path()});
    int kills = 0;
    for (const Mode &mode : modes) {
        SCOPED_TRACE(mode.name);
        const QString logFolder = (mode.destination.isEmpty() ? dir.file("src") : mode.destination) + "/Restore";
        bool killed = true;
        for (long k = 1; killed; ++k) {
            SCOPED_TRACE(k);
            makeTree();
            const auto before = snapshot(dir.path());
            const QString earlier = mode.earlierSource.isEmpty() ? dir.file("src") : mode.earlierSource;
            ASSERT_FALSE(cli(runArgs(earlier, mode)).killed);
            killed = cli(runArgs(dir.file("src"), mode), k).killed;
            kills += killed;
            // Some restores are killed too, halfway through, and run again.
            restoreEverything(logFolder, k % 3 == 0 ? 2 : 0);
            auto after = snapshot(dir.path());
            if (mode.options.contains("--copy"))
                after.removeIf([](auto entry) { return entry.key().startsWith(u"out/"); });
            EXPECT_EQ(after, before);
            for (const char *folder : {"src", "src2", "out"})
                QDir(dir.file(folder)).removeRecursively();
            QDir(shm.path()).removeRecursively();
            QDir().mkpath(shm.path());
            if (HasFailure())
                return;
        }
    }
    std::printf("%d kills\n", kills);
}

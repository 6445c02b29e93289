// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

using namespace quorin::test;

namespace {

// A copy of the real program on the offscreen platform, which it inherits from
// the test program, with its own runtime folder, which also holds its settings.
class Copy final : public QProcess {
public:
    explicit Copy(const TempFolder &runtime, const QStringList &arguments = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("XDG_CONFIG_HOME", runtime.path());
        setProcessEnvironment(env);
        start(QStringLiteral(QUORIN_PATH), arguments);
        waitForStarted();
    }
    ~Copy() override
    {
        kill();
        waitForFinished();
    }
};

// True once the running copy has surveyed the folder, which it then
// remembers, waiting up to ten seconds.
bool surveyed(const TempFolder &runtime, const QString &folder)
{
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QThread::msleep(20))
        if (readAll(runtime.file("Quorin.ini")).split('\n').contains("Path=" + folder.toUtf8()))
            return true;
    return false;
}

} // namespace

// A second copy hands its folder to the first and ends at once, silently; the
// hand-over socket is the user's alone, and neither it nor the lock of a
// killed copy keeps the next one out.
TEST(SingleCopy, secondCopyHandsItsFolderOverAndEndsSilently_andAKilledCopyLocksNoOneOut)
{
    TempFolder runtime;
    runtime.writeNamed(".", {"alpha/a", "beta/b"});
    const QString lockPath = runtime.file("quorin.lock");
    Copy first(runtime, {runtime.file("alpha")});
    ASSERT_TRUE(holdsLock(lockPath, first.processId()));
    EXPECT_TRUE(surveyed(runtime, runtime.file("alpha"))) << "started with a folder, it surveys it";
    EXPECT_EQ(shell("find '" + runtime.file("quorin.socket") + "' -perm /077"), QByteArray()) << "others may use it";

    for (const QStringList &arguments : {QStringList(), QStringList{runtime.file("beta")}}) {
        Copy second(runtime, arguments);
        ASSERT_TRUE(second.waitForFinished(10000));
        EXPECT_EQ(std::tuple(second.exitStatus(), second.exitCode(), second.readAllStandardError(), first.state()),
                  std::tuple(QProcess::NormalExit, 0, QByteArray(), QProcess::Running));
    }
    EXPECT_TRUE(surveyed(runtime, runtime.file("beta"))) << "the running copy surveys the folder handed over";

    first.kill();
    first.waitForFinished();
    ASSERT_TRUE(exists(lockPath) && exists(runtime.file("quorin.socket"))) << "a killed copy leaves both behind";
    Copy third(runtime);
    EXPECT_TRUE(holdsLock(lockPath, third.processId()));
    Copy fourth(runtime, {runtime.file("alpha")});
    EXPECT_TRUE(fourth.waitForFinished(10000) && surveyed(runtime, runtime.file("alpha"))) << "handed over again";
    EXPECT_EQ(third.state(), QProcess::Running);
}

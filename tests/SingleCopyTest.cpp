// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

using namespace quorin::test;

namespace {

// A copy of the real program on the offscreen platform, with its own runtime folder.
class Copy final {
public:
    explicit Copy(const QString &runtimeFolder)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtimeFolder);
        process_.setProcessEnvironment(env);
        process_.start(QStringLiteral(QUORIN_PATH), {});
        process_.waitForStarted();
    }
    ~Copy()
    {
        process_.kill();
        process_.waitForFinished();
    }
    QProcess &process() { return process_; }

private:
    QProcess process_;
};

} // namespace

TEST(SingleCopy, secondCopyEndsAtOnceSilently_andAKilledCopyLocksNoOneOut)
{
    TempFolder runtime;
    const QString lockPath = runtime.file("quorin.lock");
    Copy first(runtime.path());
    ASSERT_TRUE(holdsLock(lockPath, first.process().processId()));

    Copy second(runtime.path());
    ASSERT_TRUE(second.process().waitForFinished(10000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_EQ(second.process().readAllStandardError(), QByteArray());
    EXPECT_EQ(first.process().state(), QProcess::Running);

    first.process().kill();
    first.process().waitForFinished();
    ASSERT_TRUE(exists(lockPath)) << "a killed copy leaves its lock behind";
    Copy third(runtime.path());
    EXPECT_TRUE(holdsLock(lockPath, third.process().processId()));
    EXPECT_EQ(third.process().state(), QProcess::Running);
}

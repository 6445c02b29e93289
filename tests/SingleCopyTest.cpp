// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace quorin::test;

namespace {

// A copy of the real program on the offscreen platform, with its own runtime folder.
class Copy final : public QProcess {
public:
    explicit Copy(const QString &runtimeFolder)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtimeFolder);
        setProcessEnvironment(env);
        start(QStringLiteral(QUORIN_PATH), {});
        waitForStarted();
    }
    ~Copy() override
    {
        kill();
        waitForFinished();
    }
};

} // namespace

TEST(SingleCopy, secondCopyEndsAtOnceSilently_andAKilledCopyLocksNoOneOut)
{
    TempFolder runtime;
    const QString lockPath = runtime.file("quorin.lock");
    Copy first(runtime.path());
    ASSERT_TRUE(holdsLock(lockPath, first.processId()));

    Copy second(runtime.path());
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardError(), QByteArray());
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
    ASSERT_TRUE(exists(lockPath)) << "a killed copy leaves its lock behind";
    Copy third(runtime.path());
    EXPECT_TRUE(holdsLock(lockPath, third.processId()));
    EXPECT_EQ(third.state(), QProcess::Running);
}

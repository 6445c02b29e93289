// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"
#include "TreeSnapshot.h"

#include "log/RenameLog.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace quorin;
using namespace quorin::test;

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.makeFolder("src");
        dir.makeFolder("config");
        for (const char *name : {"a.jpg", "b.jpg", "c.txt"})
            dir.write(QStringLiteral("src/") + QString::fromLatin1(name), name);
    }

    void start(QProcess &process, const QStringList &args) const
    {
        process.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.file("config"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUORIN_CLI_PATH), args);
        process.waitForStarted();
    }

    Outcome cli(const QStringList &args) const
    {
        QProcess process;
        start(process, args);
        process.waitForFinished(60000);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QStringList runArgs(const QStringList &more) const
    {
        return QStringList{"run", "--source", src(), "--type", "jpg"} + more;
    }
    QString src() const { return dir.file("src"); }

    TempFolder dir;
};

} // namespace

TEST_F(CliTest, runThenRestore_endToEnd)
{
    const auto before = snapshot(src());
    const Outcome run = cli(runArgs({"--add", "trip", "--prefix", "--style", "001_"}));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QString log = src() + "/Restore/RestoreJPG.log";
    EXPECT_EQ(run.out, log + "\n");
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("操作完成\n操作已经完成！总共重命名了 2 个扩展名为 JPG 的文件！")));
    EXPECT_TRUE(run.err.endsWith(QString::fromUtf8("操作完成！一共重命名了 2 个文件\n")));
    EXPECT_TRUE(exists(dir.file("src/trip001_a.jpg")) || exists(dir.file("src/trip002_a.jpg")));

    const Outcome declined = cli({"restore", log});
    EXPECT_EQ(declined.status, 3);
    EXPECT_TRUE(declined.err.contains(QString::fromUtf8("恢复确认\n你确定要恢复原来的的文件名吗？")));

    const Outcome restore = cli({"restore", "--yes", log});
    EXPECT_EQ(restore.status, 0) << restore.err.toStdString();
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_FALSE(exists(log));
}

TEST_F(CliTest, refusalsAndUsageErrors_haveTheirOwnExitStatus)
{
    const auto before = snapshot(src());
    const struct {
        QStringList args;
        int status;
        const char *message;
    } cases[] = {
        {runArgs({"--prefix", "--style", "1"}), 3, "添加字符\n请输入新文件名所要添加的字符"},
        {runArgs({"--add", "x", "--prefix"}), 3, "序号类型\n    序号类型还没有选呢！"},
        {{"run", "--source", src(), "--add", "x", "--prefix", "--style", "1"}, 3, "文件类型选择\n"},
        {runArgs({"--add", "x", "--drop-old-name", "--style", "1"}), 3, "路径选择确认\n"},
        {runArgs({"--replace", "a"}), 3, "替换选项\n你没有输入替换成什么字符！"},
        {runArgs({"--delete-count", "0"}), 3, "删除字符个数选项\n请正确输入要删除字符的个数，只能是数字！"},
        {runArgs({"--insert", "a/b"}), 3, "选项设置\n新文件名中不能包含字符“/”"},
        {runArgs({"--add", "x", "--prefix", "--style", "1", "--dest", dir.file("none")}), 3, "指定文件夹不存在\n"},
        {runArgs({"--copy", "--move", "--add", "x"}), 2, "usage:"},
        {runArgs({"--copy", "--subdirs"}), 2, "usage:"},
        {runArgs({"--add", "x", "--insert", "y"}), 2, "usage:"},
        {runArgs({"--new-ext", "abcd"}), 2, "usage:"},
        {runArgs({"--delete-count", "123"}), 2, "usage:"},
        {runArgs({"--style", "01"}), 2, "usage:"},
        {{"rename"}, 2, "usage:"},
        {{"restore", dir.file("src/a.jpg")}, 3, "恢复确认\n所选文件不是完整的重命名日志"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Outcome outcome = cli(c.args);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_TRUE(outcome.err.contains(QString::fromUtf8(c.message))) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
    }
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_FALSE(exists(dir.file("src/Restore")));
}

TEST_F(CliTest, filesThatKeepTheirNames_giveStatusOne)
{
    // a.jpg gets number 1 or 2; either name is taken by a folder.
    dir.makeFolder("src/p1a.jpg");
    dir.makeFolder("src/p2a.jpg");
    const Outcome run = cli(runArgs({"--add", "p", "--prefix", "--style", "1"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8("\n\n有 1 个文件未能重命名")));
    EXPECT_EQ(readAll(dir.file("src/a.jpg")), "a.jpg");
}

TEST_F(CliTest, interruptDuringRun_rollsBackWithStatusFour)
{
    dir.makeFolder("big");
    constexpr int Files = 20000;
    for (int i = 0; i < Files; ++i)
        ::close(::open(dir.file(QStringLiteral("big/f%1.jpg").arg(i)).toUtf8(), O_CREAT | O_WRONLY, 0644));
    const auto before = snapshot(dir.file("big"));
    QProcess process;
    start(process, {"run", "--source", dir.file("big"), "--type", "jpg", "--add", "x", "--prefix", "--style", "1"});
    const QString log = dir.file("big/Restore/RestoreJPG.log");
    QElapsedTimer waited;
    waited.start();
    // Once the first record's new name exists, the run is carrying out its log.
    for (bool renaming = false; !renaming && waited.elapsed() < 30000; QThread::msleep(2)) {
        RenameLog reader;
        PlannedRename first;
        renaming = !reader.openForReading(log).failed() && !reader.ReadLogRecord(first).failed()
                   && exists(first.NewPath);
    }
    ::kill(pid_t(process.processId()), SIGINT);
    process.waitForFinished(60000);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    if (err.contains(QString::fromUtf8("操作完成")))
        GTEST_SKIP() << "the run finished before the interrupt reached it";
    EXPECT_EQ(process.exitCode(), 4) << err.toStdString();
    EXPECT_TRUE(err.endsWith(QString::fromUtf8("用户取消操作！已经更名的文件得到恢复！\n")));
    EXPECT_EQ(snapshot(dir.file("big")), before);
    EXPECT_FALSE(exists(log));
}

TEST_F(CliTest, relativeFolders_areLoggedAsFullPaths)
{
    const Outcome run = cli({"run", "--source", "src", "--type", "jpg", "--insert", "x"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, src() + "/Restore/RestoreJPG.log\n");
    EXPECT_TRUE(readAll(dir.file("src/Restore/RestoreJPG.log")).contains(dir.file("src/xa.jpg").toUtf8()));
}

TEST_F(CliTest, survey_printsSummaryAndSortedTypes_andRemembersTheFolder)
{
    dir.write("src/sub/d.Png");
    const Outcome survey = cli({"survey", "--subdirs", src()});
    EXPECT_EQ(survey.status, 0);
    EXPECT_EQ(survey.out, QString::fromUtf8("共有 4 个文件和 1 个文件夹及 3 种文件类型\nJPG\nPNG\nTXT\n"));
    EXPECT_TRUE(readAll(dir.file("config/Quorin.ini")).contains(src().toUtf8()));
}

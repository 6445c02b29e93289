// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CliFixture.h"
#include "TreeSnapshot.h"

#include "log/RenameLog.h"
#include "log/LogNames.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <functional>
#include <fcntl.h>
#include <unistd.h>

using namespace quorin;
using namespace quorin::test;

namespace {

// Each planned rename as "old -> new".
using Plan = QStringList;

QString planned(const QString &oldPath, const QString &newPath)
{
    return oldPath + QStringLiteral(" -> ") + newPath;
}

QString unescaped(const QString &field)
{
    QString path;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\' || i + 1 == field.size()) {
            path += field[i];
            continue;
        }
        const QChar next = field[++i];
        path += next == u't' ? u'\t' : next == u'n' ? u'\n' : next;
    }
    return path;
}

Plan printedPlan(const QByteArray &out)
{
    Plan plan;
    for (const QString &line : QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        EXPECT_EQ(fields.size(), 2) << line.toStdString();
        plan << planned(unescaped(fields.value(0)), unescaped(fields.value(1)));
    }
    return plan;
}

Plan nulSeparatedPlan(const QByteArray &out)
{
    Plan plan;
    QList<QByteArray> fields = out.split('\0');
    EXPECT_TRUE(fields.takeLast().isEmpty());
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
        plan << planned(QString::fromUtf8(fields[i]), QString::fromUtf8(fields[i + 1]));
    return plan;
}

Plan loggedPlan(const QString &log)
{
    Plan plan;
    RenameLog reader;
    EXPECT_FALSE(reader.openForReading(log).failed());
    for (PlannedRename record; !reader.atEnd() && !reader.ReadLogRecord(record).failed();)
        plan << planned(record.OldPath, record.NewPath);
    return plan;
}

} // namespace

using CliTest = CliFixture;

// The preview prints exactly the plan the run then writes to its log and
// carries out, with the counts the run then reports, and touches nothing;
// Restore then gives every file its old name back.
TEST_F(CliTest, previewRunAndRestore_agreeOnEveryFile)
{
    const struct {
        const char *what;
        QStringList files;
        QStringList options;
        int status;
    } cases[] = {
        {"numbered in place", {"a.jpg", "b.JPG", "c.txt"}, {"--add", "trip", "--prefix", "--style", "001_"}, 0},
        // Each file takes the name of the next; only the order decides which
        // names are free: taken and freed by the plan's earlier renames.
        {"a chain of names", {"x.jpg", "xx.jpg", "xxx.jpg", "xxxx.jpg", "xxxxx.jpg", "xxxxxx.jpg"},
         {"--delete-text", "x"}, 1},
        {"a name taken by a folder", {"a.jpg", "b.jpg", "p1a.jpg/", "p2a.jpg/", "p1b.jpg/", "p2b.jpg/"},
         {"--add", "p", "--prefix", "--style", "1"}, 1},
        {"old names dropped, answered by --yes", {"a.jpg", "b.jpg"}, {"--add", "n", "--drop-old-name", "--style", "1"},
         0},
        {"moved", {"a.jpg", "b.jpg", "sub/c.jpg"}, {"--move", "--dest", "OUT", "--insert", "m", "--at-end"}, 0},
        {"copied", {"a.jpg", "b.jpg"}, {"--copy", "--dest", "OUT", "--add", "c", "--suffix", "--style", "1"}, 0},
        {"a tab and backslashes in paths", {"back\\slash.jpg", "sub\\/x.jpg"},
         {"--subdirs", "--insert", "\\", "--source", "TABBED"}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const QString source = c.options.contains("TABBED") ? folder.file("tab\there") : folder.file("src");
        for (const QString &file : c.files)
            file.endsWith(u'/') ? folder.makeFolder(source.mid(folder.path().size()) + u'/' + file)
                                : folder.write(source.mid(folder.path().size()) + u'/' + file, file.toUtf8());
        folder.makeFolder("out");
        folder.makeFolder("src");
        QStringList args{"run", "--type", "jpg"};
        for (const QString &option : c.options)
            args << (option == u"OUT" ? folder.file("out") : option == u"TABBED" ? source : option);
        if (!args.contains("--source"))
            args << "--source" << source;
        const auto before = snapshot(source);

        const Outcome preview = cli(args + QStringList{"--dry-run"});
        const Outcome nul = cli(args + QStringList{"--dry-run", "-z"});
        EXPECT_EQ(preview.status, 0) << preview.errText().toStdString();
        EXPECT_EQ(snapshot(source), before);
        EXPECT_FALSE(exists(source + "/Restore") || exists(folder.file("out/Restore")));
        EXPECT_EQ(nulSeparatedPlan(nul.out), printedPlan(preview.out));

        const Outcome run = cli(args + QStringList{"--yes"});
        EXPECT_EQ(run.status, c.status) << run.errText().toStdString();
        const QString log = QString::fromUtf8(run.out).trimmed();
        EXPECT_EQ(printedPlan(preview.out), loggedPlan(log));
        const QRegularExpression counts(QStringLiteral("(\\d+) files would be \\w+, (\\d+) passed over"));
        const auto counted = counts.match(preview.errText());
        ASSERT_TRUE(counted.hasMatch()) << preview.errText().toStdString();
        EXPECT_TRUE(run.errText().contains(QStringLiteral("总共重命名了 %1 个").arg(counted.captured(1))));
        EXPECT_EQ(run.errText().contains(QStringLiteral("有 %1 个文件未能重命名").arg(counted.captured(2))),
                  counted.captured(2) != u"0");

        const Outcome restore = cli({"restore", "--yes", log});
        EXPECT_EQ(restore.status, 0) << restore.errText().toStdString();
        EXPECT_EQ(snapshot(source), before);
    }
}

// Refusals show the window's box and exit 3; usage errors name what is wrong
// and exit 2. Neither touches a file, writes a log or remembers a folder.
TEST_F(CliTest, refusalsAndUsageErrors_changeNothing)
{
    dir.write("file.log", "not a log");
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
        {runArgs({"--add", "x", "--drop-old-name", "--style", "1"}), 3, "give --yes to answer yes\n"},
        {runArgs({"--replace", "a"}), 3, "替换选项\n你没有输入替换成什么字符！"},
        {runArgs({"--delete-count", "0", "--dry-run"}), 3, "删除字符个数选项\n请正确输入要删除字符的个数，只能是数字！"},
        {runArgs({"--insert", "a/b"}), 3, "选项设置\n新文件名中不能包含字符“/”"},
        {{"restore", dir.file("file.log")}, 3, "恢复确认\n所选文件不是完整的重命名日志"},
        {runArgs({"--add", "x", "--prefix", "--style", "1", "--dest", dir.file("none")}), 2,
         "quorin-cli: --dest " "%1none: no such folder\n"},
        {{"run", "--source", dir.file("none"), "--type", "jpg", "--insert", "x"}, 2,
         "quorin-cli: --source %1none: no such folder\n"},
        {{"run", "--source", dir.file("file.log"), "--type", "jpg", "--insert", "x"}, 2,
         "quorin-cli: --source %1file.log: not a folder\n"},
        {{"survey", dir.file("none")}, 2, "quorin-cli: %1none: no such folder\n"},
        {{"survey", dir.file("file.log")}, 2, "quorin-cli: %1file.log: not a folder\n"},
        {{"restore", "--yes", dir.file("none.log")}, 2, "quorin-cli: %1none.log: no such file\n"},
        {{"restore", "--yes", src()}, 2, "a folder, not a log\n"},
        {{"run", "--source", src(), "--type", "j\tg", "--insert", "x"}, 2, "without \"/\" or control characters"},
        {{"run", "--source", src(), "--type", "a/jpg", "--insert", "x"}, 2, "without \"/\" or control characters"},
        {runArgs({"--insert", "x", "-z"}), 2, "-z goes with --dry-run"},
        {runArgs({"--copy", "--move", "--add", "x"}), 2, "usage:"},
        {runArgs({"--copy", "--subdirs"}), 2, "usage:"},
        {runArgs({"--add", "x", "--insert", "y"}), 2, "usage:"},
        {runArgs({"--new-ext", "abcd"}), 2, "usage:"},
        {runArgs({"--delete-count", "123"}), 2, "usage:"},
        {runArgs({"--style", "01"}), 2, "usage:"},
        {runArgs({"--insert", "x", "-q"}), 2, "unknown option -q"},
        {{"survey", "--", "-"}, 2, "quorin-cli: %1-: no such folder\n"},
        {{"rename"}, 2, "usage:"},
        {{"help", "rename"}, 2, "usage:"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Outcome outcome = cli(c.args);
        EXPECT_EQ(outcome.status, c.status);
        QString message = QString::fromUtf8(c.message);
        if (message.contains(u"%1"))
            message = message.arg(dir.path());
        EXPECT_TRUE(outcome.errText().contains(message))
            << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
    }
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_FALSE(exists(dir.file("src/Restore")));
    EXPECT_FALSE(exists(dir.file("config/Quorin.ini")));
}

// A run or a preview that meets no file of the type says so, naming both.
TEST_F(CliTest, noFileOfTheType_isWarnedAbout)
{
    for (const char *mode : {"--dry-run", "--yes"}) {
        SCOPED_TRACE(mode);
        const Outcome outcome = cli({"run", "--source", src(), "--type", "png", "--insert", "x", mode});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_TRUE(outcome.errText().contains(QStringLiteral("warning: no file of type PNG in %1\n").arg(src())))
            << outcome.err.toStdString();
    }
}

// Every option the parser of any command accepts is described in that
// command's help, and in the whole help: an option added without help fails here.
TEST_F(CliTest, help_describesEveryOptionTheParserAccepts)
{
    QSet<QString> candidates;
    for (QDirIterator it(QStringLiteral(QUORIN_SOURCE_DIR "/src/cli"), {"*.cpp"}); it.hasNext();) {
        const QString source = QString::fromUtf8(readAll(it.next()));
        for (const auto &m : QRegularExpression(QStringLiteral("\"(--?[a-z][a-z-]*)\"")).globalMatch(source))
            candidates << m.captured(1);
    }
    ASSERT_GT(candidates.size(), 20);
    const QByteArray whole = cli({"--help"}).out;
    for (const QString command : {"run", "survey", "restore"}) {
        const Outcome help = cli({command, "--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(cli({command, "-h"}).out, help.out);
        EXPECT_EQ(cli({"help", command}).out, help.out);
        EXPECT_TRUE(help.out.contains("Exit status:\n") && help.out.contains("  4  stopped by Ctrl+C"));
        for (const QString &option : candidates) {
            const Outcome probe = cli({command, option, "x"});
            if (probe.errText().contains(QStringLiteral("unknown option")))
                continue;
            SCOPED_TRACE((command + u' ' + option).toStdString());
            // An option's line: indented, the option as a word, then what it
            // does after two spaces or on the next line, indented further.
            const QRegularExpression described(
                QStringLiteral("\n  +[^\n]*(?<![\\w-])%1(?![\\w-])([^\n]*  +\\w|[^\n]*\n {6,}\\w)")
                    .arg(QRegularExpression::escape(option)));
            EXPECT_TRUE(described.match(QString::fromUtf8(help.out)).hasMatch());
            EXPECT_TRUE(described.match(QString::fromUtf8(whole)).hasMatch());
        }
    }
    EXPECT_EQ(cli({"-h"}).out, whole);
    EXPECT_EQ(cli({"help"}).out, whole);
    for (const char *mentioned : {"--version", "001_", "trip1_IMG_2041.JPG", "trusted as before", "Examples:"})
        EXPECT_TRUE(whole.contains(mentioned)) << mentioned;
}

TEST_F(CliTest, relativeFolders_areLoggedAsFullPaths)
{
    const Outcome run = cli({"run", "--source", "src", "--type", "jpg", "--insert", "x"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(run.out), src() + "/Restore/RestoreJPG.log\n");
    EXPECT_TRUE(readAll(dir.file("src/Restore/RestoreJPG.log")).contains(dir.file("src/xa.jpg").toUtf8()));
}

// Results go to standard output, each once; the window's boxes to standard
// error, without the status line's echo of them.
TEST_F(CliTest, survey_printsEachResultOnce_andRemembersTheFolder)
{
    dir.write("src/sub/d.Png");
    const Outcome survey = cli({"survey", "--subdirs", src()});
    EXPECT_EQ(survey.status, 0);
    EXPECT_EQ(QString::fromUtf8(survey.out), QString::fromUtf8("共有 4 个文件和 1 个文件夹及 3 种文件类型\nJPG\nPNG\nTXT\n"));
    EXPECT_TRUE(survey.err.isEmpty()) << survey.err.toStdString();
    EXPECT_TRUE(readAll(dir.file("config/Quorin.ini")).contains(src().toUtf8()));

    const Outcome run = cli(runArgs({"--insert", "x"}));
    EXPECT_EQ(run.errText(), QString::fromUtf8("操作完成\n操作已经完成！总共重命名了 2 个扩展名为 JPG 的文件！\n"));
}

namespace {

// Sends Ctrl+C once `reached` holds, and waits for the program to end.
Outcome interruptWhen(QProcess &process, const std::function<bool()> &reached)
{
    QElapsedTimer waited;
    waited.start();
    while (!reached() && waited.elapsed() < 30000 && process.state() == QProcess::Running)
        QThread::msleep(2);
    ::kill(pid_t(process.processId()), SIGINT);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

// Ctrl+C while a run carries out its log rolls the run back; while a restore
// runs, it stops after the file in hand and keeps the log and its states, and
// the same restore run again finishes the work. Both exit 4.
TEST_F(CliTest, interrupt_rollsARunBack_andLeavesARestoreToFinish)
{
    dir.makeFolder("big");
    constexpr int Files = 20000;
    for (int i = 0; i < Files; ++i)
        ::close(::open(dir.file(QStringLiteral("big/f%1.jpg").arg(i)).toUtf8(), O_CREAT | O_WRONLY, 0644));
    const auto before = snapshot(dir.file("big"));
    const QStringList args{"run", "--source", dir.file("big"), "--type", "jpg", "--add", "x", "--prefix", "--style", "1"};
    const QString log = dir.file("big/Restore/RestoreJPG.log");
    const auto firstRecord = [&log] {
        RenameLog reader;
        PlannedRename first;
        const bool read = !reader.openForReading(log).failed() && !reader.ReadLogRecord(first).failed();
        return read ? first : PlannedRename{};
    };

    QProcess running;
    start(running, args);
    // Once the first record's new name exists, the run is carrying out its log.
    const Outcome stopped = interruptWhen(running, [&] { return exists(firstRecord().NewPath); });
    if (stopped.errText().contains(QString::fromUtf8("操作完成")))
        GTEST_SKIP() << "the run finished before the interrupt reached it";
    EXPECT_EQ(stopped.status, 4) << stopped.err.toStdString();
    EXPECT_TRUE(stopped.errText().endsWith(QString::fromUtf8("用户取消操作！已经更名的文件得到恢复！\n")));
    EXPECT_EQ(snapshot(dir.file("big")), before);
    EXPECT_FALSE(exists(log));

    ASSERT_EQ(cli(args).status, 0);
    const QByteArray states = readAll(statesPathFor(log));
    QProcess restoring;
    start(restoring, {"restore", "--yes", log});
    // Restore goes from the last record to the first; the first is the last back.
    const PlannedRename first = firstRecord();
    const Outcome halfway = interruptWhen(restoring, [&] { return readAll(statesPathFor(log)) != states; });
    if (halfway.status == 0)
        GTEST_SKIP() << "the restore finished before the interrupt reached it";
    EXPECT_EQ(halfway.status, 4) << halfway.err.toStdString();
    EXPECT_TRUE(halfway.errText().endsWith("the log is kept, and running the same restore again finishes it\n"));
    EXPECT_TRUE(exists(log) && exists(statesPathFor(log)));
    EXPECT_TRUE(exists(first.NewPath) && !exists(first.OldPath));

    const Outcome again = cli({"restore", "--yes", log});
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(snapshot(dir.file("big")), before);
    EXPECT_FALSE(exists(log));
}

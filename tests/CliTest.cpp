// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CliFixture.h"
#include "TreeSnapshot.h"

#include "log/LogLock.h"
#include "log/LogNames.h"
#include "log/RenameLog.h"

#include <QDirIterator>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <functional>
#include <fcntl.h>
#include <unistd.h>

using namespace quorin;
using namespace quorin::test;

namespace {

// What a dry run prints for the renames a log holds: a line each, with tabs,
// line breaks and backslashes escaped; with -z, each path ended by a NUL.
std::pair<QByteArray, QByteArray> printedFor(const QString &log)
{
    const auto escaped = [](const QString &path) {
        return path.toUtf8().replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n");
    };
    QByteArray lines, fields;
    for (const PlannedRename &r : readLogRecords(log)) {
        lines += escaped(r.OldPath) + '\t' + escaped(r.NewPath) + '\n';
        fields += r.OldPath.toUtf8() + '\0' + r.NewPath.toUtf8() + '\0';
    }
    return {lines, fields};
}

// Sends Ctrl+C once `reached` holds, and waits for the program to end.
Outcome interruptWhen(QProcess &process, const std::function<bool()> &reached)
{
    for (QDeadlineTimer deadline(30000); !reached() && !deadline.hasExpired() && process.state() == QProcess::Running;)
        QThread::msleep(2);
    ::kill(pid_t(process.processId()), SIGINT);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

using CliTest = CliFixture;

// The preview prints exactly the plan the run then writes to its log and
// carries out, with the counts the run then reports, and touches nothing;
// Restore then gives every file its old name back.
TEST_F(CliTest, previewRunAndRestore_agreeOnEveryFile)
{
    const struct {
        const char *what, *source;
        QStringList files, options;
        int status;
    } cases[] = {
        {"numbered in place", "src", {"a.jpg", "b.JPG", "c.txt"}, {"--add", "trip", "--prefix", "--style", "001_"}, 0},
        // Each file takes the name of the next; only the order decides which
        // names are free: taken and freed by the plan's earlier renames.
        {"a chain of names", "src", {"x.jpg", "xx.jpg", "xxx.jpg", "xxxx.jpg", "xxxxx.jpg", "xxxxxx.jpg"},
         {"--delete-text", "x"}, 1},
        {"a name taken by a folder", "src", {"a.jpg", "b.jpg", "p1a.jpg/", "p2a.jpg/", "p1b.jpg/", "p2b.jpg/"},
         {"--add", "p", "--prefix", "--style", "1"}, 1},
        {"old names dropped, answered by --yes", "src", {"a.jpg", "b.jpg"},
         {"--add", "n", "--drop-old-name", "--style", "1"}, 0},
        {"moved", "src", {"a.jpg", "b.jpg", "sub/c.jpg"}, {"--move", "--dest", "OUT", "--insert", "m", "--at-end"}, 0},
        {"copied", "src", {"a.jpg", "b.jpg"}, {"--copy", "--dest", "OUT", "--add", "c", "--suffix", "--style", "1"}, 0},
        {"a tab and backslashes in paths", "tab\there", {"back\\slash.jpg", "sub\\/x.jpg"},
         {"--subdirs", "--insert", "\\"}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const QString source = folder.file(c.source), in = QString::fromUtf8(c.source) + u'/';
        folder.makeFolder("out");
        for (const QString &file : c.files)
            file.endsWith(u'/') ? folder.makeFolder(in + file) : folder.write(in + file, file.toUtf8());
        const QStringList args = QStringList{"run", "--type", "jpg", "--source", source}
                                 + QStringList(c.options).replaceInStrings("OUT", folder.file("out"));
        const auto before = snapshot(source);

        const Outcome preview = cli(args + QStringList{"--dry-run"});
        const QByteArray nul = cli(args + QStringList{"--dry-run", "-z"}).out;
        EXPECT_EQ(preview.status, 0) << preview.errText().toStdString();
        EXPECT_EQ(snapshot(source), before);
        EXPECT_FALSE(exists(source + "/Restore") || exists(folder.file("out/Restore")));

        const Outcome run = cli(args + QStringList{"--yes"});
        EXPECT_EQ(run.status, c.status) << run.errText().toStdString();
        const QString log = QString::fromUtf8(run.out).trimmed();
        const auto [lines, fields] = printedFor(log);
        EXPECT_EQ(preview.out, lines);
        EXPECT_EQ(nul, fields);
        const auto counted = QRegularExpression(QStringLiteral("(\\d+) files would be \\w+, (\\d+) passed over"))
                                 .match(preview.errText());
        ASSERT_TRUE(counted.hasMatch()) << preview.errText().toStdString();
        EXPECT_TRUE(run.errText().contains(QStringLiteral("总共重命名了 %1 个").arg(counted.captured(1))));
        EXPECT_EQ(run.errText().contains(QStringLiteral("有 %1 个文件未能重命名").arg(counted.captured(2))),
                  counted.captured(2) != u"0");

        EXPECT_EQ(cli({"restore", "--yes", log}).status, 0);
        EXPECT_EQ(snapshot(source), before);
    }
}

// Refusals show the window's box and exit 3; usage errors name what is wrong
// and exit 2. Neither touches a file, writes a log or remembers a folder. A log
// held by another operation, in another process, refuses a restore and a run;
// a run refused prints no log, not even an earlier run's.
TEST_F(CliTest, refusalsAndUsageErrors_changeNothing)
{
    dir.write("file.log", "not a log");
    for (const QString folder : {"held", "unwritable"}) {
        dir.writeNamed(folder, {"a.jpg"});
        ASSERT_EQ(cli(runArgs({"--insert", "x", "--yes"}, folder)).status, 0);
    }
    LogLock held;
    ASSERT_TRUE(held.tryLock(dir.file("held/Restore"), "JPG"));
    const auto before = snapshot(dir.path());
    struct Case {
        QStringList args;
        int status;
        QString message;
    };
    std::vector<Case> cases = {
        {{"restore", "--yes", dir.file("held/Restore/RestoreJPG.log")}, 3, logInUse().description},
        {runArgs({"--insert", "x", "--yes"}, "held"), 3, logInUse().description},
        {runArgs({"--prefix", "--style", "1"}), 3, "添加字符\n请输入新文件名所要添加的字符"},
        {runArgs({"--add", "x", "--prefix"}), 3, "序号类型\n    序号类型还没有选呢！"},
        {{"run", "--source", src(), "--add", "x", "--prefix", "--style", "1"}, 3, "文件类型选择\n可别忘了"},
        {runArgs({"--add", "x", "--drop-old-name", "--style", "1"}), 3,
         "路径选择确认\n    如果您使用全新的文件名前缀，"},
        {runArgs({"--add", "x", "--drop-old-name", "--style", "1"}), 3,
         "目标文件的存在路径。\nquorin-cli: not asked, as standard input is not a terminal: answered no; give --yes "
         "to answer yes\n"},
        {runArgs({"--replace", "a"}), 3, "替换选项\n你没有输入替换成什么字符！"},
        {runArgs({"--delete-count", "0", "--dry-run"}), 3, "删除字符个数选项\n请正确输入要删除字符的个数，只能是数字！"},
        {runArgs({"--insert", "a/b"}), 3, "选项设置\n新文件名中不能包含字符“/”"},
        {{"restore", dir.file("file.log")}, 3, "恢复确认\n所选文件不是完整的重命名日志"},
        {runArgs({"--add", "x", "--prefix", "--style", "1", "--dest", dir.file("none")}), 2,
         "quorin-cli: --dest %1none: no such folder\n"},
        {runArgs({"--insert", "x"}, "none"), 2, "quorin-cli: --source %1none: no such folder\n"},
        {runArgs({"--insert", "x"}, "file.log"), 2, "quorin-cli: --source %1file.log: not a folder\n"},
        {{"survey", dir.file("none")}, 2, "quorin-cli: %1none: no such folder\n"},
        {{"survey", dir.file("file.log")}, 2, "quorin-cli: %1file.log: not a folder\n"},
        {{"survey", "--", "-"}, 2, "quorin-cli: %1-: no such folder\n"},
        {{"restore", "--yes", dir.file("none.log")}, 2, "quorin-cli: %1none.log: no such file\n"},
        {{"restore", "--yes", src()}, 2, "a folder, not a log\n"},
        {{"run", "--source", src(), "--type", "j\tg", "--insert", "x"}, 2, "without \"/\" or control characters"},
        {{"run", "--source", src(), "--type", "a/jpg", "--insert", "x"}, 2, "without \"/\" or control characters"},
        {runArgs({"--insert", "x", "-z"}), 2, "-z goes with --dry-run"},
        {runArgs({"--insert", "x", "-q"}), 2, "unknown option -q"},
        {runArgs({"--copy", "--move", "--add", "x"}), 2, "usage:"},
        {runArgs({"--copy", "--subdirs"}), 2, "usage:"},
        {runArgs({"--add", "x", "--insert", "y"}), 2, "usage:"},
        {runArgs({"--new-ext", "abcd"}), 2, "usage:"},
        {runArgs({"--delete-count", "123"}), 2, "usage:"},
        {runArgs({"--style", "01"}), 2, "usage:"},
        {{"rename"}, 2, "usage:"},
        {{"help", "rename"}, 2, "usage:"},
    };
    if (dir.setImmutable("unwritable/Restore"))
        cases.push_back({runArgs({"--insert", "x", "--yes"}, "unwritable"), 3, "无法在目标文件夹中建立重命名日志"});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Outcome outcome = cli(c.args);
        EXPECT_EQ(outcome.status, c.status);
        // A message that ends a line ends what is printed: no usage follows a path that cannot be used.
        const QString message = withDir(c.message);
        EXPECT_TRUE(message.endsWith(u'\n') ? outcome.errText().endsWith(message) : outcome.errText().contains(message))
            << outcome.err.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
    }
    // The snapshot holds the settings file too, but no log folder.
    EXPECT_EQ(snapshot(dir.path()), before);
    for (const QString folder : {"held", "unwritable"})
        EXPECT_TRUE(exists(dir.file(folder + "/Restore/RestoreJPG.log")));
    EXPECT_FALSE(exists(dir.file("src/Restore")));
}

// Results go to standard output, each once; the window's boxes and warnings
// to standard error, without the status line's echo of them. On a terminal
// the status line is erased before anything else is printed, so each line
// stands once and no count is left behind; the same run again prints the
// same. A relative folder is logged as a full path, and a survey remembers
// its folder.
TEST_F(CliTest, results_goToStandardOutput_messagesToStandardError_andStandOnceOnScreen)
{
    dir.write("src/sub/d.Png");
    const QString noPng = "quorin-cli: warning: no file of type PNG in %1src\n";
    const QStringList png{"run", "--source", src(), "--type", "png", "--insert", "x"};
    const struct {
        QStringList args;
        QString out, err;
    } cases[] = {
        {{"survey", "--subdirs", src()}, "共有 4 个文件和 1 个文件夹及 3 种文件类型\nJPG\nPNG\nTXT\n", ""},
        {runArgs({"--insert", "x", "--dry-run"}), "%1src/a.jpg\t%1src/xa.jpg\n%1src/b.jpg\t%1src/xb.jpg\n",
         "dry run, nothing changed: 2 files would be renamed, 0 passed over (the new name taken), 0 left alone (a name "
         "no log can hold)\n"},
        {png + QStringList{"--dry-run"}, "",
         noPng + "dry run, nothing changed: 0 files would be renamed, 0 passed over (the new name taken), 0 left "
                 "alone (a name no log can hold)\n"},
        {png + QStringList{"--yes"}, "%1src/Restore/RestorePNG.log\n",
         "操作完成\n操作已经完成！总共重命名了 0 个扩展名为 PNG 的文件！\n" + noPng},
        {{"run", "--source", "src", "--type", "jpg", "--insert", "x"}, "%1src/Restore/RestoreJPG.log\n",
         "操作完成\n操作已经完成！总共重命名了 2 个扩展名为 JPG 的文件！\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Outcome outcome = cli(c.args);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(QString::fromUtf8(outcome.out), withDir(c.out));
        EXPECT_EQ(outcome.errText(), withDir(c.err));
        QStringList screen = screenLines(onTerminal(c.args).out);
        QStringList lines = withDir(c.out + c.err).split(u'\n', Qt::SkipEmptyParts);
        screen.sort();
        lines.sort();
        EXPECT_EQ(screen, lines);
    }
    EXPECT_TRUE(readAll(dir.file("config/Quorin.ini")).contains(src().toUtf8()));
    EXPECT_TRUE(readAll(dir.file("src/Restore/RestoreJPG.log")).contains(dir.file("src/xa.jpg").toUtf8()));
}

// Every option the parser of any command accepts is described in that
// command's help, and in the whole help: an option added without help fails here.
TEST_F(CliTest, help_describesEveryOptionTheParserAccepts)
{
    QSet<QString> candidates;
    for (QDirIterator it(QStringLiteral(QUORIN_SOURCE_DIR "/src/cli"), {"*.cpp"}); it.hasNext();)
        for (const auto &m : QRegularExpression(QStringLiteral("\"(--?[a-z][a-z-]*)\""))
                                 .globalMatch(QString::fromUtf8(readAll(it.next()))))
            candidates << m.captured(1);
    ASSERT_GT(candidates.size(), 20);
    const QByteArray whole = cli({"--help"}).out;
    EXPECT_EQ(cli({"-h"}).out, whole);
    EXPECT_EQ(cli({"help"}).out, whole);
    for (const char *mentioned : {"--version", "001_", "trip1_IMG_2041.JPG", "trusted as before", "Examples:"})
        EXPECT_TRUE(whole.contains(mentioned)) << mentioned;
    for (const QString command : {"run", "survey", "restore"}) {
        const Outcome help = cli({command, "--help"});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(cli({command, "-h"}).out, help.out);
        EXPECT_EQ(cli({"help", command}).out, help.out);
        EXPECT_TRUE(help.out.contains("Exit status:\n") && help.out.contains("  4  stopped by Ctrl+C"));
        for (const QString &option : candidates) {
            if (cli({command, option, "x"}).errText().contains(QStringLiteral("unknown option")))
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
}

// Ctrl+C while a run carries out its log rolls the run back; while a restore
// runs, it stops after the file in hand and keeps the log and its states, and
// the same restore run again finishes the work. Both exit 4.
TEST_F(CliTest, interrupt_rollsARunBack_andLeavesARestoreToFinish)
{
    dir.makeFolder("big");
    for (int i = 0; i < 20000; ++i)
        ::close(::open(dir.file(QStringLiteral("big/f%1.jpg").arg(i)).toUtf8(), O_CREAT | O_WRONLY, 0644));
    const auto before = snapshot(dir.file("big"));
    const QString log = dir.file("big/Restore/RestoreJPG.log");
    const auto firstRecord = [&log] {
        RenameLog reader;
        PlannedRename first;
        const bool read = !reader.openForReading(log).failed() && !reader.ReadLogRecord(first).failed();
        return read ? first : PlannedRename{};
    };

    QProcess running;
    start(running, {"run", "--source", dir.file("big"), "--type", "jpg", "--add", "x", "--prefix", "--style", "1"});
    // Once the first record's new name exists, the run is carrying out its log.
    const Outcome stopped = interruptWhen(running, [&] { return exists(firstRecord().NewPath); });
    if (stopped.errText().contains(QString::fromUtf8("操作完成")))
        GTEST_SKIP() << "the run finished before the interrupt reached it";
    EXPECT_EQ(stopped.status, 4) << stopped.err.toStdString();
    // The roll-back itself is the engine's, checked where a run is stopped.
    EXPECT_TRUE(stopped.errText().endsWith(QString::fromUtf8("用户取消操作！已经更名的文件得到恢复！\n")));

    ASSERT_EQ(cli(running.arguments()).status, 0);
    const QByteArray states = readAll(statesPathFor(log));
    QProcess restoring;
    start(restoring, {"restore", "--yes", log});
    // Restore goes from the last record to the first; the first is the last back.
    const PlannedRename first = firstRecord();
    const Outcome halfway = interruptWhen(restoring, [&] { return readAll(statesPathFor(log)) != states; });
    if (halfway.status == 0) {
        ASSERT_EQ(snapshot(dir.file("big")), before) << "a restore that reports success has every file back";
        GTEST_SKIP() << "the restore finished before the interrupt reached it";
    }
    EXPECT_EQ(halfway.status, 4) << halfway.err.toStdString();
    EXPECT_TRUE(halfway.errText().endsWith("the log is kept, and running the same restore again finishes it\n"));
    EXPECT_TRUE(exists(log) && exists(statesPathFor(log)));
    EXPECT_TRUE(exists(first.NewPath) && !exists(first.OldPath));

    EXPECT_EQ(cli({"restore", "--yes", log}).status, 0);
    EXPECT_EQ(snapshot(dir.file("big")), before);
    EXPECT_FALSE(exists(log));
}

// Every question is asked with [y/N]; only y or yes answers yes, and no
// answer changes a file.
TEST_F(CliTest, questions_areAnsweredNoUnlessTheUserSaysYes)
{
    ASSERT_EQ(cli(runArgs({"--insert", "x"})).status, 0);
    const QStringList restoring{"restore", src() + "/Restore/RestoreJPG.log"};
    const QStringList dropping = runArgs({"--add", "n", "--drop-old-name", "--style", "1"});
    const QByteArray restoreQuestion = "恢复确认\r\n你确定要恢复原来的的文件名吗？ [y/N] ";
    const QByteArray dropQuestion = "路径选择确认\r\n    如果您使用全新的文件名前缀";
    const struct {
        const char *what;
        QStringList args;
        QByteArray question, typed;
        int status;
    } cases[] = {
        {"Enter", restoring, restoreQuestion, "\n", 3},
        {"n", restoring, restoreQuestion, "n\n", 3},
        {"anything else", restoring, restoreQuestion, "yess\n", 3},
        {"end of input", restoring, restoreQuestion, "\x04", 3},
        {"Ctrl+C", restoring, restoreQuestion, "\x03", 3},
        {"Y", restoring, restoreQuestion, " Y \n", 0},
        {"Ctrl+C before the old names are dropped", dropping, dropQuestion, "\x03", 3},
        {"y before the old names are dropped", dropping, dropQuestion, "y\n", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const auto before = snapshot(src());
        const Outcome asked = onTerminal(c.args, "[y/N] ", c.typed);
        EXPECT_TRUE(asked.out.startsWith(c.question)) << asked.out.toStdString();
        EXPECT_EQ(asked.status, c.status) << asked.out.toStdString();
        EXPECT_EQ(snapshot(src()) == before, c.status != 0);
    }
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CommandLine.h"

#include "engine/ValidateJob.h"

#include <QDir>
#include <QSet>

#include <optional>

namespace quorin::cli {

namespace {

Invocation invocation(Command command)
{
    Invocation call;
    call.command = command;
    return call;
}

Invocation help(Command topic)
{
    Invocation call = invocation(Command::Help);
    call.helpTopic = topic;
    return call;
}

const QSet<QString> HelpFlags = {"--help", "-h"};
const QSet<QString> RunFlags = {"--copy",   "--move",   "--subdirs", "--continuous", "--hidden",  "--prefix",
                                "--suffix", "--drop-old-name", "--at-end", "--yes", "--dry-run", "-z"};
const QSet<QString> RunValues = {"--source", "--type", "--dest", "--new-ext", "--add", "--style",
                                 "--replace", "--with", "--delete-text", "--insert", "--delete-count"};

// The options given, each at most once, with their values.
class Options {
public:
    QString parse(const QStringList &args, const QSet<QString> &flags, const QSet<QString> &values,
                  QStringList &operands);
    bool has(const QString &name) const { return given_.contains(name); }
    QString value(const QString &name) const { return given_.value(name); }
    int count(std::initializer_list<const char *> names) const;
    bool asksForHelp() const { return count({"--help", "-h"}) > 0; }

private:
    QHash<QString, QString> given_;
};

// Every argument that starts with "-" is an option, up to a "--" that ends them.
QString Options::parse(const QStringList &args, const QSet<QString> &flags, const QSet<QString> &values,
                       QStringList &operands)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == u"--") {
            operands << args.mid(i + 1);
            break;
        }
        if (!arg.startsWith(u'-') || arg == u"-") {
            operands << arg;
            continue;
        }
        if (!flags.contains(arg) && !values.contains(arg))
            return QStringLiteral("unknown option %1").arg(arg);
        if (given_.contains(arg))
            return QStringLiteral("%1 given twice").arg(arg);
        if (values.contains(arg) && i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(arg);
        given_.insert(arg, values.contains(arg) ? args[++i] : QString());
    }
    return {};
}

int Options::count(std::initializer_list<const char *> names) const
{
    int n = 0;
    for (const char *name : names)
        n += has(QString::fromLatin1(name)) ? 1 : 0;
    return n;
}

// Settings the window's controls can never hold together.
QString conflict(const Options &o)
{
    const int kinds = o.count({"--replace", "--delete-text", "--insert", "--delete-count"});
    if (o.has("--copy") && o.has("--move"))
        return QStringLiteral("--copy and --move exclude each other");
    if (o.count({"--copy", "--move"}) > 0 && o.has("--subdirs"))
        return QStringLiteral("--copy and --move cannot go with --subdirs");
    if (o.count({"--prefix", "--suffix", "--drop-old-name"}) > 1)
        return QStringLiteral("choose one of --prefix, --suffix and --drop-old-name");
    if (kinds > 1)
        return QStringLiteral("choose one advanced edit");
    if (kinds > 0 && o.count({"--add", "--prefix", "--suffix", "--drop-old-name", "--style", "--continuous"}) > 0)
        return QStringLiteral("numbering settings and an advanced edit exclude each other");
    if (o.has("--with") && !o.has("--replace"))
        return QStringLiteral("--with needs --replace");
    if (o.has("--at-end") && o.count({"--insert", "--delete-count"}) == 0)
        return QStringLiteral("--at-end needs --insert or --delete-count");
    if (o.has("--style") && !QStringList({"001", "001_", "1", "1_"}).contains(o.value("--style")))
        return QStringLiteral("--style is one of 001, 001_, 1 and 1_");
    if (!fitsInFileName(o.value("--type")))
        return QStringLiteral("--type is a file type such as JPG, without \"/\" or control characters");
    if (o.value("--new-ext").size() > 3)
        return QStringLiteral("--new-ext takes at most 3 characters");
    if (o.value("--delete-count").size() > 2)
        return QStringLiteral("--delete-count takes at most 2 characters");
    if (o.has("-z") && !o.has("--dry-run"))
        return QStringLiteral("-z goes with --dry-run");
    if (!o.has("--source"))
        return QStringLiteral("--source is required");
    return {};
}

NameEdit advancedEdit(const Options &o)
{
    NameEdit edit;
    const bool atFront = !o.has("--at-end");
    if (o.has("--replace")) {
        edit.Kind = NameEditKind::Replace;
        edit.FindText = o.value("--replace");
        edit.ReplaceText = o.value("--with");
    } else if (o.has("--delete-text")) {
        edit.Kind = NameEditKind::DeleteMatch;
        edit.DeleteText = o.value("--delete-text");
    } else if (o.has("--insert")) {
        edit.Kind = NameEditKind::Add;
        edit.InsertText = o.value("--insert");
        edit.InsertAtFront = atFront;
    } else if (o.has("--delete-count")) {
        edit.Kind = NameEditKind::DeleteCount;
        edit.DeleteCountText = o.value("--delete-count");
        edit.DeleteAtFront = atFront;
    }
    return edit;
}

// The log records full paths: a relative one would name other files when the
// log is restored from another working folder.
QString absolute(const QString &path)
{
    return path.isEmpty() ? path : QDir::current().absoluteFilePath(path);
}

RenameJob runJob(const Options &o)
{
    RenameJob job;
    job.SourceFolder = absolute(o.value("--source"));
    job.DestinationFolder = o.has("--dest") ? absolute(o.value("--dest")) : job.SourceFolder;
    job.IncludeSubfolders = o.has("--subdirs");
    job.ContinuousNumbering = o.has("--continuous");
    job.IncludeHidden = o.has("--hidden");
    job.FileType = o.value("--type").toUpper();
    job.NumberStyle = o.value("--style");
    job.AddText = o.value("--add");
    job.placement = o.has("--prefix") ? Placement::Prefix : o.has("--suffix") ? Placement::Suffix : Placement::None;
    job.DropOldName = o.has("--drop-old-name");
    job.ChangeExtension = o.has("--new-ext");
    job.NewExtension = o.value("--new-ext");
    job.CopyToDestination = o.has("--copy");
    job.MoveToDestination = o.has("--move");
    job.Edit = advancedEdit(o);
    job.AdvancedEdit = job.Edit.Kind != NameEditKind::None;
    return job;
}

Invocation parseRun(const QStringList &args)
{
    Invocation call = invocation(Command::Run);
    Options options;
    QStringList operands;
    call.usageError = options.parse(args, RunFlags + HelpFlags, RunValues, operands);
    if (options.asksForHelp())
        return help(Command::Run);
    if (call.usageError.isEmpty() && !operands.isEmpty())
        call.usageError = QStringLiteral("unexpected argument %1").arg(operands.first());
    if (call.usageError.isEmpty())
        call.usageError = conflict(options);
    call.job = runJob(options);
    call.yes = options.has("--yes");
    call.dryRun = options.has("--dry-run");
    call.nulSeparated = options.has("-z");
    return call;
}

Invocation parseWithOneOperand(Command command, const QStringList &args, const QSet<QString> &flags)
{
    Invocation call = invocation(command);
    Options options;
    QStringList operands;
    call.usageError = options.parse(args, flags + HelpFlags, {}, operands);
    if (options.asksForHelp())
        return help(command);
    if (call.usageError.isEmpty() && operands.size() != 1)
        call.usageError = QStringLiteral("expected exactly one path");
    call.path = absolute(operands.value(0));
    call.yes = options.has("--yes");
    call.job.SourceFolder = call.job.DestinationFolder = call.path;
    call.job.IncludeSubfolders = options.has("--subdirs");
    call.job.IncludeHidden = options.has("--hidden");
    return call;
}

std::optional<Command> commandNamed(const QString &name)
{
    if (name == u"run")
        return Command::Run;
    if (name == u"survey")
        return Command::Survey;
    if (name == u"restore")
        return Command::Restore;
    return {};
}

Invocation parseHelp(const QStringList &rest)
{
    if (rest.isEmpty())
        return help(Command::Help);
    const std::optional<Command> topic = commandNamed(rest.first());
    Invocation call = help(topic.value_or(Command::Help));
    if (!topic || rest.size() > 1)
        call.usageError = QStringLiteral("help takes one of run, survey and restore");
    return call;
}

} // namespace

Invocation parseCommandLine(const QStringList &arguments)
{
    const QString first = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (first == u"help" || first == u"--help" || first == u"-h")
        return parseHelp(rest);
    if (first == u"--version" && rest.isEmpty())
        return invocation(Command::Version);
    const std::optional<Command> command = commandNamed(first);
    if (command == Command::Run)
        return parseRun(rest);
    if (command == Command::Survey)
        return parseWithOneOperand(Command::Survey, rest, {"--subdirs", "--hidden"});
    if (command == Command::Restore)
        return parseWithOneOperand(Command::Restore, rest, {"--yes"});
    Invocation call;
    call.usageError = first.isEmpty() ? QStringLiteral("no command given") : QStringLiteral("unknown command %1").arg(first);
    return call;
}

} // namespace quorin::cli

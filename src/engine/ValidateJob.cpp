// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "ValidateJob.h"

#include "platform/FileOperations.h"

#include <optional>

namespace quorin {
namespace {

using Refusal = std::optional<MessageBox>;

const QString UnsafeTextPrompt = QStringLiteral("新文件名中不能包含字符“/”或回车、换行等控制字符！");

const QString DestinationPrompt =
    QStringLiteral("    如果您使用全新的文件名前缀，建议您把重命名后的文件存在到其它文件夹中，"
                   "以避免新文件名与原文件名发生冲突的可能！(可能性极小，但不能排除)")
    + QStringLiteral("\r\r    您是否要继续执行更名操作而不改变目标路径？")
    + QStringLiteral("\r\r    如果您选择“是”，程序将执行更名操作；如果您选择“否”，可以重新设置目标文件的存在路径。");

Refusal unsafe(const QString &text, const QString &title)
{
    return fitsInFileName(text) ? Refusal() : refusal(UnsafeTextPrompt, title);
}

Refusal classicRefusal(const RenameJob &job)
{
    if (job.AddText.isEmpty())
        return refusal(QStringLiteral("请输入新文件名所要添加的字符"), QStringLiteral("添加字符"));
    if (job.placement == Placement::None && !job.DropOldName)
        return refusal(QStringLiteral("你还没有选择应该把字符添加到文件名的前缀还是后缀呢！"),
                       QStringLiteral("选择"));
    if (job.NumberStyle.isEmpty())
        return refusal(QStringLiteral("    序号类型还没有选呢！比如你的文件名的序号是001、002、... NNN "
                                      "还是1、2、...N 这些类型。"),
                       QStringLiteral("序号类型"));
    if (job.ChangeExtension && job.NewExtension.isEmpty())
        return refusal(QStringLiteral("您选择了更改文件后缀名的选项，您就必需输入一个新的后缀名！"),
                       QStringLiteral("输入新后缀名"));
    if (Refusal r = unsafe(job.AddText, QStringLiteral("添加字符")))
        return r;
    if (job.ChangeExtension)
        return unsafe(job.NewExtension, QStringLiteral("输入新后缀名"));
    return {};
}

Refusal advancedRefusal(const RenameJob &job)
{
    const QString title = QStringLiteral("选项设置");
    switch (job.Edit.Kind) {
    case NameEditKind::None:
        return refusal(QStringLiteral("你启用了高级选项，但没有设置任何项目！\n\n"
                                      "请设置其中的一个项目，或者不要选中该选项！"),
                       title);
    case NameEditKind::Replace:
        if (Refusal r = unsafe(job.Edit.ReplaceText, title))
            return r;
        break;
    case NameEditKind::Add:
        if (Refusal r = unsafe(job.Edit.InsertText, title))
            return r;
        break;
    case NameEditKind::DeleteMatch:
    case NameEditKind::DeleteCount:
        break;
    }
    return job.ChangeExtension ? unsafe(job.NewExtension, title) : Refusal();
}

bool asksAboutDestination(const RenameJob &job)
{
    return !job.AdvancedEdit && job.DropOldName && job.DestinationFolder == job.SourceFolder
           && !job.IncludeSubfolders;
}

Refusal destinationRefusal(const RenameJob &job)
{
    if (job.DestinationFolder.isEmpty())
        return refusal(QStringLiteral("请指定一个目标目录，或使用原文件目录！"), QStringLiteral("目录"));
    if (!FolderExists(job.destinationPath()))
        return refusal(QStringLiteral("指定的目标文件夹不存在！请重新选择文件夹！"),
                       QStringLiteral("指定文件夹不存在"));
    if (!FolderExists(asFolderPath(job.SourceFolder)))
        return refusal(QStringLiteral("指定的源文件夹不存在！请重新选择文件夹！"), QStringLiteral("指定文件夹不存在"));
    if (job.FileType.isEmpty())
        return refusal(QStringLiteral("可别忘了选择要对哪种类型的文件进行重命名！"),
                       QStringLiteral("文件类型选择"));
    return {};
}

} // namespace

bool fitsInFileName(const QString &text)
{
    for (const QChar c : text)
        if (c == u'/' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

bool FolderExists(const QString &folderPath)
{
    return folderExists(folderPath);
}

Verdict ValidateJob(const RenameJob &job, MessagePrompter &prompter)
{
    if (Refusal r = job.AdvancedEdit ? advancedRefusal(job) : classicRefusal(job)) {
        prompter.showMessage(*r);
        return Verdict::Stop;
    }
    if (asksAboutDestination(job)) {
        const MessageBox question{DestinationPrompt, QStringLiteral("路径选择确认"), MessageIcon::Exclamation,
                                  MessageButtons::YesNo, MessageAnswer::Yes};
        if (prompter.showMessage(question) != MessageAnswer::Yes)
            return Verdict::Stop;
    }
    if (Refusal r = destinationRefusal(job)) {
        prompter.showMessage(*r);
        return Verdict::Stop;
    }
    return Verdict::Proceed;
}

} // namespace quorin

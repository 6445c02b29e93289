// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "ScriptedPrompter.h"
#include "TempFolder.h"

#include "engine/ValidateJob.h"

#include <functional>
#include <gtest/gtest.h>

using namespace quorin;
using namespace quorin::test;

namespace {

const char *const Unsafe = "新文件名中不能包含字符“/”或回车、换行等控制字符！";

// A job that passes every check: classic, or advanced with none of the classic texts.
RenameJob goodJob(const TempFolder &dir, bool advanced = false)
{
    RenameJob job;
    job.SourceFolder = job.DestinationFolder = dir.path();
    job.FileType = "JPG";
    job.AdvancedEdit = advanced;
    job.Edit.Kind = advanced ? NameEditKind::Add : NameEditKind::None;
    job.Edit.InsertText = "new_";
    job.NumberStyle = advanced ? "" : "001";
    job.AddText = advanced ? "" : "trip";
    job.placement = advanced ? Placement::None : Placement::Prefix;
    return job;
}

} // namespace

TEST(StartChecks, eachFailureShowsItsBoxInOrder_andStops_advancedModeCheckingOnlyItsOwnTexts_andDroppedNamesInPlaceAsk)
{
    TempFolder dir;
    dir.write("file.txt");
    const struct {
        const char *what;
        std::function<void(RenameJob &)> change;
        const char *title; // of the one box that stops the job; nullptr: it proceeds without one
        const char *promptStart;
        bool advanced = false;
    } cases[] = {
        {"1 empty text, also no placement or style", [](RenameJob &j) { j.AddText.clear(); j.placement = Placement::None; j.NumberStyle.clear(); }, "添加字符", "请输入新文件名所要添加的字符"},
        {"1 beats drop-old-name", [](RenameJob &j) { j.AddText.clear(); j.DropOldName = true; j.placement = Placement::None; }, "添加字符", "请输入新文件名所要添加的字符"},
        {"2 no placement", [](RenameJob &j) { j.placement = Placement::None; j.NumberStyle.clear(); }, "选择", "你还没有选择应该把字符添加到文件名的前缀还是后缀呢！"},
        {"3 no style", [](RenameJob &j) { j.NumberStyle.clear(); j.ChangeExtension = true; }, "序号类型", "    序号类型还没有选呢！比如你的文件名的序号是001、002、... NNN 还是1、2、...N 这些类型。"},
        {"4 no extension", [](RenameJob &j) { j.ChangeExtension = true; j.DestinationFolder.clear(); }, "输入新后缀名", "您选择了更改文件后缀名的选项，您就必需输入一个新的后缀名！"},
        {"slash in text", [](RenameJob &j) { j.AddText = "a/b"; j.DestinationFolder.clear(); }, "添加字符", Unsafe},
        {"line feed in text", [](RenameJob &j) { j.AddText = "a\nb"; }, "添加字符", Unsafe},
        {"tab in extension", [](RenameJob &j) { j.ChangeExtension = true; j.NewExtension = "p\tg"; }, "输入新后缀名", Unsafe},
        {"7 no destination", [](RenameJob &j) { j.DestinationFolder.clear(); j.FileType.clear(); }, "目录", "请指定一个目标目录，或使用原文件目录！"},
        {"8 missing destination", [](RenameJob &j) { j.DestinationFolder = "/no/such/place"; j.FileType.clear(); }, "指定文件夹不存在", "指定的目标文件夹不存在！请重新选择文件夹！"},
        {"8 a file as destination", [&](RenameJob &j) { j.DestinationFolder = dir.file("file.txt"); j.FileType.clear(); },
         "指定文件夹不存在", "指定的目标文件夹不存在！"},
        {"8 missing source, after the survey", [](RenameJob &j) { j.SourceFolder += "/gone"; j.FileType.clear(); }, "指定文件夹不存在", "指定的源文件夹不存在！请重新选择文件夹！"},
        {"9 no type", [](RenameJob &j) { j.FileType.clear(); }, "文件类型选择", "可别忘了选择要对哪种类型的文件进行重命名！"},
        {"6 advanced, no kind", [](RenameJob &j) { j.AdvancedEdit = true; j.AddText.clear(); j.NumberStyle.clear(); j.DestinationFolder.clear(); }, "选项设置", "你启用了高级选项，但没有设置任何项目！\n\n请设置其中的一个项目，或者不要选中该选项！"},
        {"advanced: insert text with slash", [](RenameJob &j) { j.Edit.InsertText = "x/"; }, "选项设置", Unsafe, true},
        {"advanced: replacement with CR", [](RenameJob &j) { j.Edit.Kind = NameEditKind::Replace; j.Edit.FindText = "a"; j.Edit.ReplaceText = "\r"; }, "选项设置", Unsafe, true},
        {"advanced: new extension with DEL", [](RenameJob &j) { j.ChangeExtension = true; j.NewExtension = QString(QChar(0x7F)); }, "选项设置", Unsafe, true},
        {"advanced: no type", [](RenameJob &j) { j.FileType.clear(); }, "文件类型选择", "可别忘了", true},
        {"advanced: an empty extension, texts of other kinds unchecked",
         [](RenameJob &j) { j.Edit.FindText = j.Edit.DeleteText = "/"; j.ChangeExtension = true; }, nullptr, "", true},
        {"dropped names with sub-folders: no question",
         [](RenameJob &j) { j.DropOldName = j.IncludeSubfolders = true; j.placement = Placement::None; }, nullptr, ""},
        {"dropped names into the source spelled otherwise: no question",
         [](RenameJob &j) { j.DropOldName = true; j.placement = Placement::None; j.DestinationFolder.chop(1); },
         nullptr, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        RenameJob job = goodJob(dir, c.advanced);
        c.change(job);
        ScriptedPrompter prompter;
        EXPECT_EQ(ValidateJob(job, prompter), c.title ? Verdict::Stop : Verdict::Proceed);
        ASSERT_EQ(prompter.shown.size(), c.title ? 1 : 0);
        if (!c.title)
            continue;
        const MessageBox &box = prompter.shown.first();
        EXPECT_EQ(std::tuple(box.title, box.icon, box.buttons),
                  std::tuple(QString::fromUtf8(c.title), MessageIcon::Exclamation, MessageButtons::Ok));
        EXPECT_TRUE(box.prompt.startsWith(QString::fromUtf8(c.promptStart))) << box.prompt.toStdString();
    }

    // Names dropped in place ask first: "no" stops at once, "yes" goes on to
    // the checks of the destination.
    RenameJob job = goodJob(dir);
    job.DropOldName = true;
    job.placement = Placement::None;
    job.FileType.clear();
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        ScriptedPrompter prompter;
        prompter.answers = {answer};
        EXPECT_EQ(ValidateJob(job, prompter), Verdict::Stop);
        ASSERT_EQ(prompter.shown.size(), answer == MessageAnswer::Yes ? 2 : 1);
        const MessageBox &box = prompter.shown.first();
        EXPECT_EQ(std::tuple(box.title, box.icon, box.buttons, box.defaultButton),
                  std::tuple(QString::fromUtf8("路径选择确认"), MessageIcon::Exclamation, MessageButtons::YesNo,
                             MessageAnswer::Yes));
        EXPECT_EQ(box.prompt.count(QStringLiteral("\r\r")), 2);
        EXPECT_TRUE(box.prompt.endsWith(QString::fromUtf8("可以重新设置目标文件的存在路径。")));
    }
    EXPECT_TRUE(exists(dir.path()) && !exists(dir.file("Restore")));
}

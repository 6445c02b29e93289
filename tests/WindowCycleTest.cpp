// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TreeSnapshot.h"
#include "WindowFixture.h"

#include "folders/RememberedFolder.h"

#include <QComboBox>
#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace quorin;
using namespace quorin::test;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST_F(WindowTest, wholeCycle_surveyRunAndRestore_fromTheControls)
{
    for (const char *name : {"b.jpg", "a.JPG", "c.txt", "sub/d.jpg"})
        dir.write(QStringLiteral("src/") + QString::fromLatin1(name), name);
    const auto before = snapshot(src());
    EXPECT_FALSE(enabled("CmdStart"));

    survey(src());
    EXPECT_EQ(dialogs.folderTitles, QStringList{QStringLiteral("请选择一个目录")});
    EXPECT_EQ(text("txtSourDir"), src());
    EXPECT_EQ(text("txtDestDir"), src());
    EXPECT_EQ(status(), QStringLiteral("共有 3 个文件及 2 种文件类型"));
    auto &types = control<QComboBox>("cboFileType");
    ASSERT_EQ(types.count(), 2);
    EXPECT_EQ(types.itemText(0), QStringLiteral("JPG"));
    EXPECT_EQ(types.itemText(1), QStringLiteral("TXT"));
    EXPECT_EQ(types.currentIndex(), -1);
    EXPECT_TRUE(enabled("CmdStart"));
    EXPECT_EQ(rememberedFolder(), src());

    chooseSettings("JPG");
    click("CmdStart");
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("操作完成")});
    ASSERT_NE(lastBox(), nullptr);
    EXPECT_EQ(lastBox()->prompt, QStringLiteral("操作已经完成！总共重命名了 2 个扩展名为 JPG 的文件！"));
    EXPECT_EQ(lastBox()->icon, MessageIcon::Information);
    EXPECT_EQ(status(), QStringLiteral("操作完成！一共重命名了 2 个文件"));
    QStringList renamed = filesIn(src()).replaceInStrings(QRegularExpression(QStringLiteral("^p00[12]_")), "p00N_");
    renamed.sort();
    EXPECT_EQ(renamed, (QStringList{"c.txt", "p00N_a.JPG", "p00N_b.jpg"}));
    EXPECT_EQ(filesIn(src() + "/sub"), QStringList{"d.jpg"});
    EXPECT_TRUE(enabled("CmdStart"));

    const QString log = src() + "/Restore/RestoreJPG.log";
    dialogs.files << log;
    click("CmdRestore");
    ASSERT_EQ(dialogs.fileRequests.size(), 1);
    const FileDialogRequest &request = dialogs.fileRequests.first();
    EXPECT_EQ(request.title, QStringLiteral("请选择重命名日志文件"));
    EXPECT_EQ(request.filterText, QStringLiteral("日志文件(*.LOG)"));
    EXPECT_EQ(request.initialFolder, src());
    EXPECT_EQ(boxTitles(), (QStringList{"操作完成", "恢复确认", "成功"}));
    EXPECT_EQ(status(), QStringLiteral("已经恢复了 2 个文件！"));
    EXPECT_EQ(snapshot(src()), before);
    EXPECT_FALSE(exists(log));
    EXPECT_TRUE(endings.isEmpty());
}

TEST_F(WindowTest, cancelledPickersAndDeclinedRestore_changeNothing)
{
    dir.write("src/a.jpg");
    click("CmdSourDir");
    EXPECT_EQ(text("txtSourDir"), QString());
    EXPECT_EQ(status(), QStringLiteral("等待重命名操作"));
    EXPECT_FALSE(enabled("CmdStart"));
    EXPECT_EQ(rememberedFolder(), QString());
    EXPECT_EQ(dialogs.fileRequests.size(), 0);

    click("chkCopy");
    control<QLineEdit>("txtDestDir").setText("/kept");
    click("CmdDestDir");
    EXPECT_EQ(text("txtDestDir"), QStringLiteral("/kept"));
    click("chkCopy");

    survey(src());
    chooseSettings("JPG");
    click("CmdStart");
    const QString log = src() + "/Restore/RestoreJPG.log";
    const auto renamed = snapshot(src());
    click("CmdRestore");
    EXPECT_EQ(dialogs.fileRequests.size(), 1);
    dialogs.files << log;
    dialogs.boxes.answers << MessageAnswer::Cancel;
    click("CmdRestore");
    EXPECT_EQ(boxTitles(), (QStringList{"操作完成", "恢复确认"}));
    EXPECT_EQ(snapshot(src()), renamed);
    EXPECT_TRUE(exists(log));
    EXPECT_TRUE(enabled("CmdRestore"));
}

namespace {

struct EscCase {
    const char *name;
    // The status text that tells which pass the run is in.
    const char *passText;
    MessageAnswer answer;
    // The control that has the focus when Esc is pressed.
    const char *focus;
    bool renamed;
    const char *endStatus;
};

void PrintTo(const EscCase &c, std::ostream *out) { *out << c.name; }

class EscDuringRun : public WindowTest, public ::testing::WithParamInterface<EscCase> {};

} // namespace

TEST_P(EscDuringRun, asksFirst_thenStopsAndUndoes_orLetsTheRunFinish)
{
    const EscCase &c = GetParam();
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        dir.write(QStringLiteral("src/") + QString::fromLatin1(name), name);
    const auto before = snapshot(src());
    survey(src());
    chooseSettings("JPG");
    dialogs.boxes.answers << c.answer;
    const QString passText = QString::fromUtf8(c.passText);
    atEveryYield([&] {
        if (!status().startsWith(passText))
            return false;
        QTest::keyClick(&control(c.focus), Qt::Key_Escape);
        return true;
    });
    click("CmdStart");

    ASSERT_FALSE(dialogs.boxes.shown.isEmpty());
    const MessageBox &question = dialogs.boxes.shown.first();
    EXPECT_EQ(question.title, QStringLiteral("终止确认"));
    EXPECT_EQ(question.prompt,
              QStringLiteral("您确定要停止操作吗？\n\n如果您选择“确定”，更名操作将停止，并且恢复已经更名的文件！"));
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(status(), QString::fromUtf8(c.endStatus));
    EXPECT_EQ(snapshot(src()) != before, c.renamed);
    EXPECT_EQ(exists(src() + "/Restore"), c.renamed) << "a stopped run's log and its folder go";
    EXPECT_TRUE(enabled("CmdStart"));

    const qsizetype shown = dialogs.boxes.shown.size();
    QTest::keyClick(&control(c.focus), Qt::Key_Escape);
    EXPECT_EQ(dialogs.boxes.shown.size(), shown) << "Esc with no run in progress does nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Window, EscDuringRun,
    ::testing::Values(
        EscCase{"planningOk", "正在处理第", MessageAnswer::Ok, "txtAddString", false, "用户取消操作！"},
        EscCase{"planningCancel", "正在处理第", MessageAnswer::Cancel, "cboFileType", true,
                "操作完成！一共重命名了 3 个文件"},
        EscCase{"executionOk", "正在重命名第 1 ", MessageAnswer::Ok, "CmdExit", false,
                "用户取消操作！已经更名的文件得到恢复！"},
        EscCase{"executionCancel", "正在重命名第", MessageAnswer::Cancel, "chkSubDir", true,
                "操作完成！一共重命名了 3 个文件"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(WindowTest, exitButtonMenuAndCloseBox_endTheProgramAtOnce)
{
    click("CmdExit");
    control<QAction>("mnuExit").trigger();
    window.close();
    EXPECT_EQ(endings, (QList<int>{0, 0, 0}));
}

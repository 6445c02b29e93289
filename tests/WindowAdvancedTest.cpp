// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CatchShow.h"
#include "TreeSnapshot.h"
#include "WindowFixture.h"

#include "FrmOption.h"

#include <QComboBox>
#include <QDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace quorin;
using namespace quorin::test;

namespace {

const QString NoKindSet = QStringLiteral("没有设置任何选项");
const QString SwitchedOff = QStringLiteral("没有启用高级选项");

void clickIn(FrmOption &dialog, const char *name) { QTest::mouseClick(&child<QAbstractButton>(dialog, name), Qt::LeftButton); }

void type(FrmOption &dialog, const char *name, const QString &text) { child<QLineEdit>(dialog, name).setText(text); }

class AdvancedEdit : public WindowTest {
protected:
    // Opens the dialog with 设置... and answers it with `answer`, which must
    // leave it by 确定 or 取消.
    void openOptions(const std::function<void(FrmOption &)> &answer)
    {
        CatchShow<FrmOption> catcher(answer);
        click("CmdOption");
        ASSERT_EQ(catcher.shown, 1);
    }
    // Chooses a kind, types its texts and confirms; true when the dialog took it.
    bool confirm(const char *kind, const QList<std::pair<const char *, QString>> &texts)
    {
        bool hidden = false;
        openOptions([&](FrmOption &dialog) {
            if (kind)
                clickIn(dialog, kind);
            for (const auto &[box, text] : texts)
                type(dialog, box, text);
            clickIn(dialog, "CmdOk");
            hidden = !dialog.isVisible();
            if (!hidden)
                clickIn(dialog, "CmdCancel");
        });
        return hidden;
    }
    FrmOption *dialog() const { return window.findChild<FrmOption *>(); }
    QString summary() const { return control<QLabel>("lblOption").text(); }
};

struct RefusalCase {
    const char *name;
    const char *kind;
    QList<std::pair<const char *, QString>> texts;
    QString prompt, title;
};

} // namespace

TEST_F(AdvancedEdit, ok_refusesInOrder_keepingTheDialogOpenAndEveryEntryAsTyped)
{
    const QList<RefusalCase> cases = {
        {"no kind", nullptr, {{"txtAdd", "x"}},
         QStringLiteral("你没有选择任何选项！请选择其中的一项，或按“取消”按钮！"), QStringLiteral("警告")},
        {"replace without search", "OptReplace", {{"txtReplaceAs", "b"}},
         QStringLiteral("你没有输入要替换的字符！"), QStringLiteral("替换选项")},
        {"replace without replacement", "OptReplace", {{"txtReplace", "a"}},
         QStringLiteral("你没有输入替换成什么字符！"), QStringLiteral("替换选项")},
        {"delete text empty", "OptDelMatch", {{"txtReplace", "a"}},
         QStringLiteral("请输入要删除的字符！"), QStringLiteral("删除选项")},
        {"add empty, replacement empty too", "OptAdd", {{"txtDel", "3"}},
         QStringLiteral("请输入文件名中要添加的字符！"), QStringLiteral("添加选项")},
        {"count empty", "OptDel", {{"txtAdd", "x"}},
         QStringLiteral("请正确输入要删除字符的个数，只能是数字！"), QStringLiteral("删除字符个数选项")},
    };
    click("ChkOption");
    for (const RefusalCase &c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype before = dialogs.boxes.shown.size();
        openOptions([&](FrmOption &dialog) {
            if (c.kind)
                clickIn(dialog, c.kind);
            for (const auto &[box, text] : c.texts)
                type(dialog, box, text);
            // Enter, where the caret is, presses the default button 确定.
            QWidget *focus = dialog.focusWidget();
            QTest::keyClick(focus, Qt::Key_Return);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.focusWidget(), focus);
            for (const auto &[box, text] : c.texts)
                EXPECT_EQ(child<QLineEdit>(dialog, box).text(), text);
            clickIn(dialog, "CmdCancel");
        });
        ASSERT_EQ(dialogs.boxes.shown.size(), before + 1);
        EXPECT_EQ(lastBox()->prompt, c.prompt);
        EXPECT_EQ(lastBox()->title, c.title);
        EXPECT_EQ(lastBox()->icon, MessageIcon::Exclamation);
        EXPECT_EQ(lastBox()->buttons, MessageButtons::Ok);
        EXPECT_EQ(summary(), NoKindSet);
    }
}

TEST_F(AdvancedEdit, deleteCount_acceptsATextThatReadsAsANumber_andRefusesOneThatReadsAsZero)
{
    const QList<std::pair<QString, bool>> cases = {
        {"1", true}, {"99", true}, {"-1", true}, {"-9", true}, {"5a", true}, {".5", true}, {" 5", true},
        {"", false}, {"0", false}, {"00", false}, {"a", false}, {"&H", false}, {" ", false},
    };
    click("ChkOption");
    for (const auto &[text, accepted] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(confirm("OptDel", {{"txtDel", text}}), accepted);
    }
    openOptions([](FrmOption &dialog) {
        clickIn(dialog, "OptDel");
        auto &count = child<QLineEdit>(dialog, "txtDel");
        QTest::keyClicks(&count, "123");
        EXPECT_EQ(count.text(), QStringLiteral("12")) << "it takes no third character";
        clickIn(dialog, "CmdOk");
    });
}

TEST_F(AdvancedEdit, ok_keepsEveryEntryForTheNextOpening_andCancelBringsBackTheDefaults)
{
    dir.write("src/a.jpg");
    survey(src());
    EXPECT_EQ(dialog(), nullptr) << "a survey does not read the edit";
    click("ChkOption");
    ASSERT_NE(dialog(), nullptr) << "switching on reads the edit, which makes the dialog";
    EXPECT_FALSE(dialog()->isVisible());
    openOptions([](FrmOption &dialog) {
        EXPECT_EQ(dialog.focusWidget(), &child(dialog, "CmdOk")) << "a new dialog opens on 确定";
        clickIn(dialog, "OptAdd");
        EXPECT_EQ(dialog.focusWidget(), &child(dialog, "txtAdd"));
        type(dialog, "txtAdd", "new_");
        clickIn(dialog, "OptBack");
        type(dialog, "txtReplace", "IMG");
        type(dialog, "txtDel", "3");
        clickIn(dialog, "OptB");
        clickIn(dialog, "CmdOk");
    });
    EXPECT_EQ(summary(), QStringLiteral("添加指定字符"));
    ASSERT_NE(dialog(), nullptr);
    EXPECT_FALSE(dialog()->isVisible());
    const NameEdit kept = window.currentJob().Edit;
    EXPECT_EQ(kept.Kind, NameEditKind::Add);
    EXPECT_EQ(kept.InsertText, QStringLiteral("new_"));
    EXPECT_FALSE(kept.InsertAtFront);
    EXPECT_EQ(kept.FindText, QStringLiteral("IMG"));
    EXPECT_EQ(kept.DeleteCountText, QStringLiteral("3"));
    EXPECT_FALSE(kept.DeleteAtFront);

    openOptions([](FrmOption &dialog) {
        EXPECT_TRUE(child<QAbstractButton>(dialog, "OptAdd").isChecked());
        EXPECT_EQ(child<QLineEdit>(dialog, "txtReplace").text(), QStringLiteral("IMG"));
        clickIn(dialog, "CmdCancel");
    });
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(summary(), QStringLiteral("添加指定字符")) << "取消 leaves the summary behind";
    const NameEdit defaults = window.currentJob().Edit;
    EXPECT_EQ(defaults.Kind, NameEditKind::None);
    EXPECT_EQ(defaults.InsertText, QString());
    EXPECT_EQ(defaults.FindText, QString());
    EXPECT_EQ(defaults.DeleteCountText, QString());
    EXPECT_TRUE(defaults.InsertAtFront);
    EXPECT_TRUE(defaults.DeleteAtFront);

    control<QComboBox>("cboFileType").setCurrentIndex(0);
    click("CmdStart");
    EXPECT_EQ(lastBox()->title, QStringLiteral("选项设置"));
    click("ChkOption");
    click("ChkOption");
    EXPECT_EQ(summary(), NoKindSet);
}

TEST_F(AdvancedEdit, switch_locksTheNumberingControlsAndClearsThePlacement_andUnlocksWithoutRestoring)
{
    const QList<const char *> numbering = {"chkSeries", "chkKeepFileName", "txtAddString",
                                           "optPrefix", "optSuffix", "cboSeries"};
    control<QLineEdit>("txtAddString").setText("abc");
    control<QComboBox>("cboSeries").setCurrentIndex(1);
    click("optPrefix");

    click("ChkOption");
    for (const char *name : numbering)
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_TRUE(enabled("CmdOption"));
    EXPECT_EQ(summary(), NoKindSet);

    click("ChkOption");
    for (const char *name : numbering)
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_FALSE(enabled("CmdOption"));
    EXPECT_EQ(summary(), SwitchedOff);
    for (const char *name : {"optPrefix", "optSuffix", "chkKeepFileName"})
        EXPECT_FALSE(checked(name)) << name;
    EXPECT_EQ(text("txtAddString"), QStringLiteral("abc"));
    EXPECT_EQ(control<QComboBox>("cboSeries").currentIndex(), 1);
}

TEST_F(AdvancedEdit, switchingOn_runsTheDroppedNameRuleOnce_onlyWhenItClearsTheBox)
{
    for (const bool wasChecked : {true, false}) {
        SCOPED_TRACE(wasChecked ? "box checked" : "box clear");
        control<QAbstractButton>("chkKeepFileName").setChecked(wasChecked);
        QSignalSpy rule(&control<QAbstractButton>("chkKeepFileName"), &QAbstractButton::toggled);
        click("ChkOption");
        EXPECT_EQ(rule.count(), wasChecked ? 1 : 0);
        EXPECT_EQ(control<QLabel>("lblName").text(), QStringLiteral("文件名新增字符"));
        click("ChkOption");
    }
}

TEST_F(AdvancedEdit, summary_namesTheConfirmedKind_andAgainAfterSwitchingOffAndOn)
{
    click("ChkOption");
    ASSERT_TRUE(confirm("OptReplace", {{"txtReplace", "a"}, {"txtReplaceAs", " "}}));
    EXPECT_EQ(summary(), QStringLiteral("替换指定字符"));
    click("ChkOption");
    EXPECT_EQ(summary(), SwitchedOff);
    click("ChkOption");
    EXPECT_EQ(summary(), QStringLiteral("替换指定字符"));
    ASSERT_TRUE(confirm("OptDelMatch", {{"txtDelMatch", "x"}}));
    EXPECT_EQ(summary(), QStringLiteral("删除指定字符"));
}

TEST_F(AdvancedEdit, advancedRun_fromTheWindow_renamesAsTheEditSays_andRestoreUndoesIt)
{
    for (const char *name : {"IMG_1.jpg", "IMG_2.jpg", "x.jpg"})
        dir.write(QStringLiteral("src/") + QString::fromLatin1(name), name);
    const auto before = snapshot(src());
    survey(src());
    click("ChkOption");
    ASSERT_TRUE(confirm("OptReplace", {{"txtReplace", "IMG"}, {"txtReplaceAs", "trip"}}));
    control<QComboBox>("cboFileType").setCurrentIndex(0);
    click("CmdStart");
    EXPECT_EQ(lastBox()->title, QStringLiteral("操作完成"));
    EXPECT_EQ(QDir(src()).entryList(QDir::Files, QDir::Name), (QStringList{"trip_1.jpg", "trip_2.jpg", "x.jpg"}));

    dialogs.files << src() + "/Restore/RestoreJPG.log";
    click("CmdRestore");
    EXPECT_EQ(snapshot(src()), before);
}

// The run waits in its yield while the dialog is shown, then reads the edit
// afresh: the placement is read for every file, so the file planned before the
// dialog keeps the text in front and the two after it get it at the end.
TEST_F(AdvancedEdit, dialogOpenedDuringARun_holdsTheRun_whichThenTakesUpTheNewEdit)
{
    for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
        dir.write(QStringLiteral("src/") + QString::fromLatin1(name), name);
    survey(src());
    click("ChkOption");
    ASSERT_TRUE(confirm("OptAdd", {{"txtAdd", "n_"}}));
    control<QComboBox>("cboFileType").setCurrentIndex(0);
    CatchShow<FrmOption> catcher([this](FrmOption &dialog) {
        EXPECT_EQ(status(), QStringLiteral("正在处理第 1 个文件")) << "the run waits";
        clickIn(dialog, "OptBack");
        clickIn(dialog, "CmdOk");
    });
    atEveryYield([this] {
        if (status() != QStringLiteral("正在处理第 1 个文件"))
            return false;
        click("CmdOption");
        return true;
    });
    click("CmdStart");
    EXPECT_EQ(catcher.shown, 1);
    EXPECT_EQ(lastBox()->title, QStringLiteral("操作完成"));
    const QStringList names = QDir(src()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names.filter(QRegularExpression("^n_[abc]\\.jpg$")).size(), 1) << names.join(u' ').toStdString();
    EXPECT_EQ(names.filter(QRegularExpression("^[abc]n_\\.jpg$")).size(), 2) << names.join(u' ').toStdString();
}

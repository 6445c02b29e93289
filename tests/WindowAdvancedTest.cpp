// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include "FrmOption.h"

#include <QRadioButton>

using namespace quorin;
using namespace quorin::test;

namespace {

using Texts = QList<std::pair<std::string, QString>>;

// Clicks the button, when one is named, then types the texts into their boxes.
void fill(FrmOption &dialog, const char *button, const Texts &texts)
{
    if (button)
        clickOn(dialog, button);
    for (const auto &[box, text] : texts)
        child<QLineEdit>(dialog, box.c_str()).setText(text);
}

// The dialog, whenever it is shown, is answered by the answer waiting for it;
// shown with none waiting, it fails the test and is turned down.
class AdvancedEdit : public WindowTest {
protected:
    // Opens the dialog with 设置... and answers it, by 确定 or 取消.
    void openOptions(std::function<void(FrmOption &)> answer)
    {
        answer_ = std::move(answer);
        click("CmdOption");
        EXPECT_FALSE(answer_) << "the dialog was not shown";
    }
    QString summary() const { return control<QLabel>("lblOption").text(); }
    // Switching the edit off and on again names the kept kind, or none.
    QString summaryOffAndOn()
    {
        click("ChkOption");
        click("ChkOption");
        return summary();
    }
    // The summary, the kept edit's kind, its five texts, then where it adds and where it deletes.
    QStringList kept()
    {
        const NameEdit edit = window.currentJob().Edit;
        return {summary(), nameEditCaption(edit.Kind), edit.InsertText, edit.FindText, edit.ReplaceText,
                edit.DeleteText, edit.DeleteCountText, edit.InsertAtFront ? "front" : "back",
                edit.DeleteAtFront ? "front" : "back"};
    }

    std::function<void(FrmOption &)> answer_;
    CatchShow<FrmOption> catcher_{[this](FrmOption &dialog) {
        if (answer_)
            std::exchange(answer_, nullptr)(dialog);
    }};
};

} // namespace

// 确定 keeps every entry for the next opening, the run and the summary, also
// across switching off and on; 取消 brings back the defaults; 确定 refuses an
// edit lacking its text, keeping the dialog open and every entry as typed. A
// run holds while the dialog is open, and then takes up the new edit.
TEST_F(AdvancedEdit, ok_keepsEveryEntry_cancelBringsBackTheDefaults_refusesAnEditLackingItsText_andARunWaitsForIt)
{
    click("ChkOption");
    openOptions([](FrmOption &dialog) {
        EXPECT_EQ(dialog.focusWidget(), &child(dialog, "CmdOk")) << "a new dialog opens on 确定";
        for (const QRadioButton *option : dialog.findChildren<QRadioButton *>()) {
            SCOPED_TRACE(option->objectName().toStdString() + " is clipped");
            EXPECT_LE(option->sizeHint().width(), option->width());
            EXPECT_LE(option->fontMetrics().height(), option->height());
        }
        clickOn(dialog, "OptAdd");
        EXPECT_EQ(dialog.focusWidget(), &child(dialog, "txtAdd"));
        fill(dialog, "OptBack",
             {{"txtAdd", "new_"}, {"txtReplace", "IMG"}, {"txtReplaceAs", "trip"}, {"txtDelMatch", "x"}});
        QTest::keyClicks(&child<QLineEdit>(dialog, "txtDel"), "345");
        clickOn(dialog, "OptB");
        clickOn(dialog, "CmdOk");
    });
    const QString added = QStringLiteral("添加指定字符");
    EXPECT_EQ(kept(), (QStringList{added, added, "new_", "IMG", "trip", "x", "34", "back", "back"}))
        << "the count takes two characters";
    EXPECT_EQ(summaryOffAndOn(), added);

    openOptions([](FrmOption &dialog) {
        EXPECT_TRUE(child<QAbstractButton>(dialog, "OptAdd").isChecked());
        EXPECT_EQ(child<QLineEdit>(dialog, "txtReplace").text(), QStringLiteral("IMG"));
        clickOn(dialog, "CmdCancel");
    });
    EXPECT_EQ(kept(), (QStringList{added, "", "", "", "", "", "", "front", "front"})) << "取消 leaves the summary";
    EXPECT_EQ(summaryOffAndOn(), QStringLiteral("没有设置任何选项"));

    // Enter, where the caret is, presses the default button 确定. Only the chosen
    // kind's texts are checked, and a count only by its numeric reading. Rows
    // that leave a box empty come before the first that 确定 takes, since 确定
    // keeps every entry for the next opening.
    const QString badCount = QStringLiteral("请正确输入要删除字符的个数，只能是数字！");
    // The kind chosen, the texts typed, and the refusal's prompt and title, empty when 确定 takes the edit.
    QList<std::tuple<const char *, Texts, QString, QString>> cases = {
        {nullptr, {{"txtAdd", "x"}}, "你没有选择任何选项！请选择其中的一项，或按“取消”按钮！", "警告"},
        {"OptReplace", {{"txtReplaceAs", "b"}}, "你没有输入要替换的字符！", "替换选项"},
        {"OptReplace", {{"txtReplace", "a"}}, "你没有输入替换成什么字符！", "替换选项"},
        {"OptReplace", {{"txtReplace", "a"}, {"txtReplaceAs", " "}}, {}, {}},
        {"OptDelMatch", {{"txtReplace", "a"}}, "请输入要删除的字符！", "删除选项"},
        {"OptAdd", {{"txtDel", "3"}}, "请输入文件名中要添加的字符！", "添加选项"},
        {"OptDel", {{"txtAdd", "x"}}, badCount, "删除字符个数选项"},
    };
    for (const auto &[count, taken] : QList<std::pair<const char *, bool>>{
             {"0", false}, {"00", false}, {"a", false}, {"&H", false}, {" ", false}, {"1", true}, {"99", true},
             {"-1", true}, {"5a", true}, {".5", true}, {" 5", true}})
        cases.append({"OptDel", {{"txtDel", count}}, taken ? QString() : badCount, taken ? QString() : "删除字符个数选项"});
    cases.append({"OptAdd", {{"txtAdd", "n_"}}, {}, {}});
    for (const auto &[kind, texts, prompt, title] : cases) {
        SCOPED_TRACE(std::string(kind ? kind : "no kind") + ", typed " + ::testing::PrintToString(texts));
        const bool refused = !prompt.isEmpty();
        const QString before = summary();
        openOptions([&](FrmOption &dialog) {
            fill(dialog, kind, texts);
            QWidget *focus = dialog.focusWidget();
            QTest::keyClick(focus, Qt::Key_Return);
            EXPECT_EQ(dialog.isVisible(), refused);
            if (!dialog.isVisible())
                return;
            EXPECT_EQ(dialog.focusWidget(), focus);
            for (const auto &[box, text] : texts)
                EXPECT_EQ(child<QLineEdit>(dialog, box.c_str()).text(), text);
            clickOn(dialog, "CmdCancel");
        });
        ASSERT_EQ(dialogs.boxes.shown.size(), refused ? 1 : 0);
        EXPECT_EQ(appearance(std::exchange(dialogs.boxes.shown, {}).value(0)),
                  appearance(refused ? refusal(prompt, title) : MessageBox()));
        EXPECT_TRUE(!refused || summary() == before) << "a refused edit leaves the summary";
    }

    // With the last row's edit, a run waits in its yield while the dialog is shown,
    // then reads the edit afresh: the placement is read for every file, so the file
    // planned before the dialog keeps the text in front and the two after it get it
    // at the end.
    makeSources({"a.jpg", "b.jpg", "c.jpg"});
    survey(src());
    control<QComboBox>("cboFileType").setCurrentIndex(0);
    const QString firstFile = QStringLiteral("正在处理第 1 个文件");
    onceStatusReads(firstFile, [&] {
        openOptions([&](FrmOption &dialog) {
            EXPECT_EQ(status(), firstFile) << "the run waits";
            clickOn(dialog, "OptBack");
            clickOn(dialog, "CmdOk");
        });
    });
    click("CmdStart");
    EXPECT_EQ(QDir(src()).entryList(QDir::Files).replaceInStrings(QRegularExpression("[abc]"), "x"),
              (QStringList{"xn_.jpg", "xn_.jpg", "n_x.jpg"}));
}

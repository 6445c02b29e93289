// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CatchShow.h"
#include "TempFolder.h"

#include "QtDialogs.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

using namespace quorin;
using namespace quorin::test;

namespace {

// A button's text without its access key: "是(&Y)" reads 是.
QString plain(const QAbstractButton *button)
{
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)|&"));
    return button ? button->text().remove(accessKey) : QString();
}

QStringList namesShown(QFileDialog &dialog)
{
    auto *view = dialog.findChild<QListView *>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; view && row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    names.sort();
    return names;
}

} // namespace

TEST(QtDialogs, messageBoxes_readInChinese_keepTheirTexts_andReturnTheButtonPressed)
{
    const struct {
        MessageButtons buttons;
        MessageIcon icon;
        QMessageBox::Icon qtIcon;
        // The buttons' texts in sorted order, the default button and the one pressed.
        QString texts, defaultText, click;
        MessageAnswer answer;
    } cases[] = {
        {MessageButtons::Ok, MessageIcon::Information, QMessageBox::Information, "确定", "确定", "确定", MessageAnswer::Ok},
        {MessageButtons::OkCancel, MessageIcon::Question, QMessageBox::Question, "取消/确定", "确定", "取消",
         MessageAnswer::Cancel},
        {MessageButtons::YesNo, MessageIcon::Exclamation, QMessageBox::Warning, "否/是", "是", "否", MessageAnswer::No},
        {MessageButtons::Ok, MessageIcon::Critical, QMessageBox::Critical, "确定", "确定", "确定", MessageAnswer::Ok},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.click + " of " + c.texts).toStdString());
        CatchShow<QMessageBox> user([&](QMessageBox &box) {
            QStringList texts;
            for (QAbstractButton *button : box.buttons())
                texts << plain(button);
            texts.sort();
            EXPECT_EQ(texts.join(u'/'), c.texts);
            EXPECT_EQ(plain(box.defaultButton()), c.defaultText);
            EXPECT_EQ(box.text(), QStringLiteral("第一段 <b>a&b</b>\n\n第二段"));
            EXPECT_EQ(box.windowTitle(), QStringLiteral("标题"));
            EXPECT_EQ(box.icon(), c.qtIcon);
            for (QAbstractButton *button : box.buttons())
                if (plain(button) == c.click)
                    button->click();
        });
        const MessageBox asked{QStringLiteral("第一段 <b>a&b</b>\r\r第二段"), QStringLiteral("标题"), c.icon, c.buttons,
                               c.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok};
        EXPECT_EQ(QtDialogs().showMessage(nullptr, asked), c.answer);
        EXPECT_EQ(user.shown, 1);
    }
}

TEST(QtDialogs, logDialog_showsLogsOfEitherCase_hidesHiddenFiles_andReturnsTheChosenPath)
{
    TempFolder dir;
    for (const char *name : {"a.log", "b.LOG", "c.txt", ".hidden.log", "sub/d.txt"})
        dir.write(QString::fromLatin1(name));
    const FileDialogRequest request{QStringLiteral("请选择重命名日志文件"), QStringLiteral("日志文件(*.LOG)"),
                                    QStringLiteral("*.LOG"), dir.path()};
    CatchShow<QFileDialog> user([&](QFileDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), request.title);
        EXPECT_EQ(child<QComboBox>(dialog, "fileTypeCombo").currentText(), request.filterText);
        // The folder is listed in the background.
        for (QDeadlineTimer deadline(10000); namesShown(dialog).size() < 3 && !deadline.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(namesShown(dialog), (QStringList{"a.log", "b.LOG", "sub"}));
        // Typed into the name box as a user would: selectFile() leaves the box
        // alone once it has the focus, which a slower machine gives it first.
        child<QLineEdit>(dialog, "fileNameEdit").setText(QStringLiteral("b.LOG"));
        static_cast<QDialog &>(dialog).accept();
    });
    EXPECT_EQ(QtDialogs().ShowFileDialog(nullptr, request), dir.file("b.LOG"));
    EXPECT_EQ(user.shown, 1);
}

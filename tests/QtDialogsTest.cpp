// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CatchShow.h"
#include "TempFolder.h"

#include "QtDialogs.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QLabel>
#include <QTreeView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

using namespace quorin;
using namespace quorin::test;

namespace {

// A button's text without its access key: "是(&Y)" reads 是.
QString plain(const QAbstractButton *button)
{
    return button ? button->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&"))) : QString();
}

// The names the dialog lists, sorted, and every text it shows that holds a
// Latin letter, file names aside: labels, buttons, tips, column titles, and
// each listed file's details.
std::pair<QStringList, QStringList> shownIn(QFileDialog &dialog)
{
    QStringList names, texts;
    for (const QWidget *control : dialog.findChildren<QWidget *>()) {
        texts << control->toolTip();
        if (const auto *label = qobject_cast<const QLabel *>(control))
            texts << label->text().remove(QStringLiteral("(&N)"));
        if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            texts << plain(button);
    }
    auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    const QAbstractItemModel &files = *view->model();
    for (int column = 0; column < files.columnCount(view->rootIndex()); ++column) {
        texts << files.headerData(column, Qt::Horizontal).toString();
        for (int row = 0; row < files.rowCount(view->rootIndex()); ++row)
            (column > 0 ? texts : names) << files.index(row, column, view->rootIndex()).data().toString();
    }
    names.sort();
    return {names, texts.filter(QRegularExpression(QStringLiteral("[A-Za-z]")))};
}

} // namespace

TEST(QtDialogs, messageBoxes_readInChinese_keepTheirTexts_andReturnTheButtonPressed)
{
    // The buttons asked for, the icon, the buttons' texts in sorted order, the
    // default button, the one pressed and the answer it gives.
    const QList<std::tuple<MessageButtons, MessageIcon, QMessageBox::Icon, QString, QString, QString, MessageAnswer>>
        cases = {
        {MessageButtons::Ok, MessageIcon::Information, QMessageBox::Information, "确定", "确定", "确定", MessageAnswer::Ok},
        {MessageButtons::OkCancel, MessageIcon::Question, QMessageBox::Question, "取消/确定", "确定", "取消",
         MessageAnswer::Cancel},
        {MessageButtons::YesNo, MessageIcon::Exclamation, QMessageBox::Warning, "否/是", "是", "否", MessageAnswer::No},
        {MessageButtons::Ok, MessageIcon::Critical, QMessageBox::Critical, "确定", "确定", "确定", MessageAnswer::Ok},
    };
    for (const auto &[buttons, icon, qtIcon, names, defaultName, pressed, answer] : cases) {
        SCOPED_TRACE((pressed + " of " + names).toStdString());
        CatchShow<QMessageBox> user([&](QMessageBox &box) {
            QStringList texts;
            for (QAbstractButton *button : box.buttons())
                texts << plain(button);
            texts.sort();
            EXPECT_EQ(std::tuple(texts, plain(box.defaultButton()), box.text(), box.windowTitle(), box.icon()),
                      std::tuple(names.split(u'/'), defaultName, "第一段 <b>a&b</b>\n\n第二段", "标题", qtIcon));
            for (QAbstractButton *button : box.buttons())
                if (plain(button) == pressed)
                    button->click();
        });
        const MessageBox asked{QStringLiteral("第一段 <b>a&b</b>\r\r第二段"), QStringLiteral("标题"), icon, buttons,
                               buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok};
        EXPECT_EQ(QtDialogs().showMessage(nullptr, asked), answer);
        EXPECT_EQ(user.shown, 1);
    }
}

// Both pickers list only what they offer, every text in them is Chinese, the
// details of each file included, and they return the chosen path.
TEST(QtDialogs, logAndFolderPickers_showOnlyWhatTheyOffer_allInChinese_andReturnTheChosenPath)
{
    TempFolder dir;
    dir.writeNamed(".", {"a.log", "b.LOG", "c.txt", ".hidden.log", "sub/d.txt"});
    const FileDialogRequest request{QStringLiteral("请选择重命名日志文件"), QStringLiteral("日志文件(*.LOG)"),
                                    QStringLiteral("*.LOG"), dir.path()};
    // The picker, its title and the file types it offers, what it lists and the name typed into it.
    const QList<std::tuple<std::function<QString()>, QString, QStringList, QString>> cases = {
        {[&] { return QtDialogs().ShowFileDialog(nullptr, request); }, request.title + " " + request.filterText,
         {"a.log", "b.LOG", "sub"}, "b.LOG"},
        {[&] { return QtDialogs().BrowseForFolder(nullptr, "请选择一个目录"); }, "请选择一个目录 目录", {"sub"}, "sub"},
    };
    for (const auto &[pick, title, listed, typed] : cases) {
        SCOPED_TRACE(title.toStdString());
        CatchShow<QFileDialog> user([&](QFileDialog &dialog) {
            EXPECT_EQ(dialog.windowTitle() + " " + child<QComboBox>(dialog, "fileTypeCombo").currentText(), title);
            dialog.setDirectory(dir.path());
            // The folder is listed in the background.
            for (QDeadlineTimer deadline(10000); shownIn(dialog).first != listed && !deadline.hasExpired();)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            EXPECT_EQ(shownIn(dialog), std::pair(listed, QStringList()));
            // Typed into the name box as a user would: selectFile() leaves the box
            // alone once it has the focus, which a slower machine gives it first.
            child<QLineEdit>(dialog, "fileNameEdit").setText(typed);
            static_cast<QDialog &>(dialog).accept();
        });
        EXPECT_EQ(pick(), dir.file(typed));
    }
}

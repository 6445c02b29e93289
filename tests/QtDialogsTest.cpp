// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include "QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace quorin;
using namespace quorin::test;

namespace {

// Acts on the first dialog of the given kind that is shown, from inside its own
// event loop, as a user would.
template <typename Dialog>
class WhenShown final : public QObject {
public:
    explicit WhenShown(std::function<void(Dialog &)> act) : act_(std::move(act)) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<Dialog *>(watched);
        if (event->type() == QEvent::Show && dialog && act_) {
            QTimer::singleShot(0, dialog, [dialog, act = std::move(act_)] { act(*dialog); });
            act_ = nullptr;
        }
        return false;
    }

private:
    std::function<void(Dialog &)> act_;
};

struct BoxCase {
    MessageButtons buttons;
    MessageIcon icon;
    QMessageBox::Icon qtIcon;
    QStringList buttonTexts;
    QString click;
    MessageAnswer answer;
};

// A button's text without its access key: "是(&Y)" reads 是.
QString plain(const QAbstractButton *button)
{
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)|&"));
    return button->text().remove(accessKey);
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
    const QList<BoxCase> cases = {
        {MessageButtons::Ok, MessageIcon::Information, QMessageBox::Information, {"确定"}, "确定", MessageAnswer::Ok},
        {MessageButtons::OkCancel, MessageIcon::Question, QMessageBox::Question, {"确定", "取消"}, "取消",
         MessageAnswer::Cancel},
        {MessageButtons::YesNo, MessageIcon::Exclamation, QMessageBox::Warning, {"是", "否"}, "否", MessageAnswer::No},
        {MessageButtons::Ok, MessageIcon::Critical, QMessageBox::Critical, {"确定"}, "确定", MessageAnswer::Ok},
    };
    for (const BoxCase &c : cases) {
        SCOPED_TRACE(c.click.toStdString() + " of " + c.buttonTexts.join(u'/').toStdString());
        QStringList texts;
        QString shownText, title, defaultText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        WhenShown<QMessageBox> user([&](QMessageBox &box) {
            for (QAbstractButton *button : box.buttons())
                texts << plain(button);
            shownText = box.text();
            title = box.windowTitle();
            icon = box.icon();
            defaultText = box.defaultButton() ? plain(box.defaultButton()) : QString();
            for (QAbstractButton *button : box.buttons())
                if (plain(button) == c.click)
                    return button->click();
            box.done(-1);
        });
        const MessageBox asked{QStringLiteral("第一段 <b>a&b</b>\r\r第二段"), QStringLiteral("标题"), c.icon, c.buttons,
                               c.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok};
        EXPECT_EQ(QtDialogs().showMessage(nullptr, asked), c.answer);
        texts.sort();
        QStringList expected = c.buttonTexts;
        expected.sort();
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(defaultText, c.buttonTexts.first());
        EXPECT_EQ(shownText, QStringLiteral("第一段 <b>a&b</b>\n\n第二段"));
        EXPECT_EQ(title, QStringLiteral("标题"));
        EXPECT_EQ(icon, c.qtIcon);
    }
}

TEST(QtDialogs, logDialog_showsLogsOfEitherCase_hidesHiddenFiles_andReturnsTheChosenPath)
{
    TempFolder dir;
    for (const char *name : {"a.log", "b.LOG", "c.txt", ".hidden.log", "sub/d.txt"})
        dir.write(QString::fromLatin1(name));
    QStringList shown;
    QString title, filter;
    WhenShown<QFileDialog> user([&](QFileDialog &dialog) {
        title = dialog.windowTitle();
        filter = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
        // The folder is listed in the background.
        for (QDeadlineTimer deadline(10000); namesShown(dialog).size() < 3 && !deadline.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        shown = namesShown(dialog);
        // Typed into the name box as a user would: selectFile() leaves the box
        // alone once it has the focus, which a slower machine gives it first.
        dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("b.LOG"));
        static_cast<QDialog &>(dialog).accept();
        if (dialog.isVisible())
            dialog.reject(); // a choice the dialog refused fails the test rather than hanging it
    });
    const FileDialogRequest request{QStringLiteral("请选择重命名日志文件"), QStringLiteral("日志文件(*.LOG)"),
                                    QStringLiteral("*.LOG"), dir.path()};
    EXPECT_EQ(QtDialogs().ShowFileDialog(nullptr, request), dir.file("b.LOG"));
    EXPECT_EQ(title, request.title);
    EXPECT_EQ(filter, request.filterText);
    EXPECT_EQ(shown, (QStringList{"a.log", "b.LOG", "sub"}));
}

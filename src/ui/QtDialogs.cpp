// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "QtDialogs.h"

#include "ChineseFileDetails.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace quorin {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton qtButton(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    case MessageAnswer::Ok: break;
    }
    return QMessageBox::Ok;
}

// A box closed without a button counts as its refusing answer.
MessageAnswer answerOf(int clicked, MessageButtons buttons)
{
    switch (clicked) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: break;
    }
    if (buttons == MessageButtons::YesNo)
        return MessageAnswer::No;
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

QString chosen(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

MessageAnswer QtDialogs::showMessage(QWidget *owner, const MessageBox &box)
{
    // Paragraphs may be parted by carriage returns, which a label does not break on.
    QString prompt = box.prompt;
    prompt.replace(u'\r', u'\n');
    QMessageBox dialog(qtIcon(box.icon), box.title, prompt, qtButtons(box.buttons), owner);
    // Paths in a prompt may hold "<" or "&": never read them as markup.
    dialog.setTextFormat(Qt::PlainText);
    dialog.setDefaultButton(qtButton(box.defaultButton));
    return answerOf(dialog.exec(), box.buttons);
}

QString QtDialogs::BrowseForFolder(QWidget *owner, const QString &title)
{
    QFileDialog dialog(owner, title, QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    useChineseDetails(dialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return chosen(dialog);
}

QString QtDialogs::ShowFileDialog(QWidget *owner, const FileDialogRequest &request)
{
    QFileDialog dialog(owner, request.title, request.initialFolder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog on every desktop, so the filter reads as given and
    // matches in any case: the shown text hides the case-blind pattern after it.
    useChineseDetails(dialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(request.filterText + QStringLiteral(" (") + caseBlindPattern(request.pattern) + u')');
    return chosen(dialog);
}

QString caseBlindPattern(const QString &pattern)
{
    QString blind;
    for (const QChar c : pattern) {
        if (c.toLower() == c.toUpper())
            blind += c;
        else
            blind += u'[' + c.toUpper() + c.toLower() + u']';
    }
    return blind;
}

} // namespace quorin

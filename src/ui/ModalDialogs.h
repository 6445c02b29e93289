// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "platform/MessageBox.h"

#include <QString>

class QWidget;

namespace quorin {

// What the open-file dialog is asked for. Only an existing file can be chosen.
struct FileDialogRequest final {
    QString title;
    // The filter as the dialog shows it, and the one pattern it stands for; the
    // pattern matches names in any case, since logs end in ".log".
    QString filterText;
    QString pattern;
    // Empty: the dialog's own default folder.
    QString initialFolder;
};

// Everything modal the main window opens. The program shows Qt's dialogs;
// window tests answer from a script, so no test ever waits on a real dialog.
class ModalDialogs {
public:
    virtual ~ModalDialogs() = default;
    virtual MessageAnswer showMessage(QWidget *owner, const MessageBox &box) = 0;
    // The chosen folder's full path; empty when the user cancels.
    virtual QString BrowseForFolder(QWidget *owner, const QString &title) = 0;
    // The chosen file's full path; empty when the user cancels.
    virtual QString ShowFileDialog(QWidget *owner, const FileDialogRequest &request) = 0;
};

} // namespace quorin

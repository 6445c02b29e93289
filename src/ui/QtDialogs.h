// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "ModalDialogs.h"

namespace quorin {

// The program's modal dialogs: QMessageBox and QFileDialog.
class QtDialogs final : public ModalDialogs {
public:
    MessageAnswer showMessage(QWidget *owner, const MessageBox &box) override;
    QString BrowseForFolder(QWidget *owner, const QString &title) override;
    QString ShowFileDialog(QWidget *owner, const FileDialogRequest &request) override;
};

// A file-name pattern that matches whatever the case of its letters: "*.LOG"
// gives "*.[Ll][Oo][Gg]".
QString caseBlindPattern(const QString &pattern);

} // namespace quorin

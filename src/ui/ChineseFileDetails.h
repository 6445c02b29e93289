// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QIdentityProxyModel>

class QFileDialog;

namespace quorin {

// Qt's own file dialog formats sizes and dates in the system's locale and
// names folders and drives with untranslated words, whatever the interface's
// language. This stands between the dialog and its file list and gives those
// three columns in the program's Chinese.
class ChineseFileDetails final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override;
};

// Qt's own dialog (never the desktop's), its details in Chinese.
void useChineseDetails(QFileDialog &dialog);

} // namespace quorin

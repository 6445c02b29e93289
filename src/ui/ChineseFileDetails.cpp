// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "ChineseFileDetails.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>

namespace quorin {
namespace {

enum Column { Name, Size, Type, Modified };

} // namespace

QVariant ChineseFileDetails::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() == Name)
        return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    const QLocale chinese;
    switch (index.column()) {
    case Size:
        return info.isDir() ? QString() : chinese.formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
    case Type:
        if (info.isRoot())
            return QStringLiteral("根目录");
        if (info.isDir())
            return info.isSymLink() ? QStringLiteral("文件夹链接") : QStringLiteral("文件夹");
        break;
    case Modified: return chinese.toString(info.lastModified(), QLocale::ShortFormat);
    }
    return QIdentityProxyModel::data(index, role);
}

void useChineseDetails(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ChineseFileDetails(&dialog));
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>
#include <QStringList>

namespace quorin {

// The file types one survey found: upper-cased extensions without the dot,
// distinct and never empty, in the order the survey first met them.
using FileTypeList = QStringList;

// Adds the type of the file called name, unless it has none or it is known.
void AddFileType(FileTypeList &types, const QString &name);

// The types in the order the drop-down shows them: ascending, case-blind.
QStringList sortedFileTypes(const FileTypeList &types);

} // namespace quorin

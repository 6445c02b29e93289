// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>

namespace quorin {

// The help document's full path: help.htm beside the program (a build tree),
// else in ../share/quorin/ from it (an installed program); empty when neither
// exists.
QString helpDocument(const QString &programFolder);

} // namespace quorin

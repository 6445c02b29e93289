// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "platform/MessageBox.h"

#include <QStringList>

#include <optional>

namespace quorin {

// A folder given to the program from outside its window (on its command line,
// by a second copy, or dropped on it): its full path, without a trailing "/",
// when `path` names a folder; empty otherwise.
QString givenFolder(const QString &path);

// The box that says why the command line opens no folder; none when it names
// one folder or nothing.
std::optional<MessageBox> argumentsRefusal(const QStringList &arguments);

} // namespace quorin

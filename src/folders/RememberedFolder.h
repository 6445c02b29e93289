// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>

namespace quorin {

// The one setting kept between runs of the program: the source folder surveyed
// last, as its text box showed it. Restore opens its file dialog there.

// Quorin.ini in $XDG_CONFIG_HOME, or in ~/.config when that is not set.
QString settingsFilePath();

void rememberFolder(const QString &folder);

// Empty when no survey has been remembered.
QString rememberedFolder();

} // namespace quorin

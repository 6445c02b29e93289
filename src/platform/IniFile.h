// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>

namespace quorin {

// INI text in UTF-8: "[Section]" lines, then "Key=value" lines. Section and
// key names match whatever their case, as profile files have always been read.
// A comment such as ";Path=/old" needs no rule of its own: its key is ";Path".

// The text after the first "=" on the key's line, trimmed at both ends and
// otherwise exactly as it stands: commas, semicolons, quotes and "=" are part
// of the value. A missing file, section or key reads as an empty text.
QString ReadIniValue(const QString &file, const QString &section, const QString &key);

// Sets one value, adding the file (and its folder), the section or the key where missing and
// keeping every other line. The file is replaced whole, so a reader finds the
// old file or the new one, never half of one; it is not synced, so a crash may
// lose the latest value (an empty or missing file reads as no value). A value that holds a line break
// cannot be kept in a line-based file and is not written; a write that fails
// leaves the old file, and neither is reported.
void WriteIniValue(const QString &file, const QString &section, const QString &key,
                   const QString &value);

} // namespace quorin

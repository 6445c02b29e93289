// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "options/NameEdit.h"
#include "platform/FolderListing.h"

#include <QString>

namespace quorin {

enum class Placement { Prefix, Suffix, None };

// The window's settings for one run, as they stand in its controls.
struct RenameJob final {
    QString SourceFolder;
    QString DestinationFolder;
    bool IncludeSubfolders = false;
    bool ContinuousNumbering = false;
    bool IncludeHidden = false;
    QString FileType;
    QString NumberStyle;
    QString AddText;
    Placement placement = Placement::None;
    bool DropOldName = false;
    bool ChangeExtension = false;
    QString NewExtension;
    bool CopyToDestination = false;
    bool MoveToDestination = false;
    bool AdvancedEdit = false;
    NameEdit Edit;

    AttributeMask attributeMask() const { return IncludeHidden ? HiddenIncluded : HiddenExcluded; }
    bool PaddedNumbers() const { return NumberStyle == u"001" || NumberStyle == u"001_"; }
    QString destinationPath() const;
    // The folder new names go to, for a file found in scannedFolder.
    QString targetFolder(const QString &scannedFolder) const;
};

// A folder path as the engine uses it: full (a relative path is taken from the
// working folder, since a log must name every file wherever it is read) and
// clean (no doubled separator, no "." or ".." part), so that every path in a
// log has one spelling, and ending in the
// separator; the root "/" gets no second one. Spaces at either end are part of
// a folder's name here, so they are kept: trimming them would walk another
// folder than the one chosen.
QString asFolderPath(const QString &text);

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "FileTypeList.h"

#include "engine/RunHost.h"

#include <QString>
#include <QStringList>

namespace quorin {

struct SurveyResult final {
    int fileCount = 0;
    // Sub-folders of every level walked, and those met but not entered.
    int folderCount = 0;
    FileTypeList types;
    // What the file-type drop-down shows.
    QStringList sortedTypes;
    QString summary;

    int typeCount() const { return int(sortedTypes.size()); }
};

// Counts the files, sub-folders and file types of the chosen folder as the
// window's switches stand: hidden entries as at the start, sub-folders as after
// each folder. Shows the running count and then the summary in the status
// line, remembers the folder and enables the start button. A folder that
// cannot be listed yields nothing, and no failure is ever reported.
SurveyResult SurveyFolder(RunHost &host, const QString &folder);

} // namespace quorin

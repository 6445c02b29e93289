// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "Survey.h"

#include "RememberedFolder.h"

#include "platform/FolderListing.h"

namespace quorin {

namespace {

class SurveyWalk final {
public:
    SurveyWalk(RunHost &host, SurveyResult &result)
        : host_(host), result_(result), mask_(host.currentJob().attributeMask())
    {
    }

    // Breadth-first over a queue that only grows, so a deep tree costs no stack.
    void walk(const QString &folder)
    {
        QStringList queue{folder};
        for (qsizetype next = 0; next < queue.size(); ++next) {
            walkFolder(asFolderPath(queue[next]), queue);
            if (!host_.currentJob().IncludeSubfolders)
                return;
            host_.processEvents();
        }
    }

private:
    void walkFolder(const QString &path, QStringList &queue)
    {
        FolderListing listing(path, mask_);
        FolderEntry entry;
        while (listing.next(entry)) {
            if (entry.name != u"." && entry.name != u"..")
                count(path, entry, queue);
            host_.processEvents();
        }
    }

    void count(const QString &path, const FolderEntry &entry, QStringList &queue)
    {
        if (entry.isFolder) {
            ++result_.folderCount;
            queue.append(path + entry.name + u'/');
            return;
        }
        ++result_.fileCount;
        host_.setProgress(progress::Surveying, result_.fileCount);
        AddFileType(result_.types, entry.name);
    }

    RunHost &host_;
    SurveyResult &result_;
    // Read once: a survey lists hidden entries everywhere or nowhere.
    const AttributeMask mask_;
};

QString summary(const SurveyResult &result, bool withFolders)
{
    if (!withFolders)
        return QStringLiteral("共有 %1 个文件及 %2 种文件类型").arg(result.fileCount).arg(result.typeCount());
    return QStringLiteral("共有 %1 个文件和 %2 个文件夹及 %3 种文件类型")
        .arg(result.fileCount)
        .arg(result.folderCount)
        .arg(result.typeCount());
}

} // namespace

SurveyResult SurveyFolder(RunHost &host, const QString &folder)
{
    SurveyResult result;
    SurveyWalk(host, result).walk(folder);
    result.sortedTypes = sortedFileTypes(result.types);
    result.summary = summary(result, host.currentJob().IncludeSubfolders);
    host.setStatus(result.summary);
    rememberFolder(folder);
    host.setStartEnabled(true);
    return result;
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunFixture.h"

#include "log/RenameLog.h"

namespace quorin::test {

RunFixture::RunFixture()
{
    dir.makeFolder("src");
    host.job.SourceFolder = src();
    host.job.DestinationFolder = src();
    host.job.FileType = "JPG";
    host.job.NumberStyle = "001";
    host.job.AddText = "p";
    host.job.placement = Placement::Prefix;
}

void RunFixture::makeFiles(const QStringList &relative) const
{
    for (const QString &file : relative)
        dir.write("src/" + file, file.toUtf8());
}

QString RunFixture::logPath() const
{
    return RenameLog::pathFor(host.job.DestinationFolder, host.job.FileType);
}

QList<PlannedRename> RunFixture::logRecords(const QString &path) const
{
    RenameLog log;
    QList<PlannedRename> records;
    if (log.openForReading(path).failed())
        return records;
    PlannedRename record;
    while (!log.atEnd() && !log.ReadLogRecord(record).failed())
        records << record;
    return records;
}

void RunFixture::expectIdle() const
{
    EXPECT_FALSE(host.runInProgress);
    EXPECT_FALSE(host.stop);
    EXPECT_TRUE(host.startEnabled);
    EXPECT_TRUE(host.restoreEnabled);
    EXPECT_FALSE(host.ended);
}

QString fileName(const QString &path) { return path.mid(path.lastIndexOf(u'/') + 1); }
QString folderOf(const QString &path) { return path.left(path.lastIndexOf(u'/') + 1); }

} // namespace quorin::test

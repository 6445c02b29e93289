// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"
#include "TreeSnapshot.h"

#include "log/LogNames.h"
#include "log/RenameLog.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace quorin;
using namespace quorin::test;

namespace {

const QDateTime When(QDate(2026, 3, 7), QTime(9, 5, 4));

QString writeLog(const TempFolder &dir, const QList<PlannedRename> &records, const QString &type = "JPG")
{
    RenameLog log;
    EXPECT_FALSE(log.CreateRenameLog(dir.path(), type, When).failed());
    for (const PlannedRename &r : records)
        EXPECT_FALSE(log.AppendLogRecord(r).failed());
    EXPECT_FALSE(log.commit().failed());
    return log.path();
}

} // namespace

// Later logs of a type move the earlier ones aside under the time each was last
// changed; logs of other types stand beside them. The bytes are GBK with CR LF
// as an independent decoder reads them, and names outside GBK round-trip
// exactly. A record cut short after its old path reads past the end, with 62;
// a log that is not open reads nothing, with 52.
TEST(RenameLogFile, laterLogsMoveEarlierOnesAsideUnderTheirDate_andOtherTypesStandBeside_writtenInGbkWithCrLf)
{
    TempFolder dir;
    const QList<PlannedRename> first{{QString::fromUtf8("/照片/旅行.jpg"), QString::fromUtf8("/照片/旅行001.jpg")}};
    const QList<PlannedRename> second = {
        {QString::fromUtf8("/a/写真🎉.jpg"), QString::fromUtf8("/a/ひらがな.jpg")},
        {QString::fromUtf8("/a/한국어 사진.jpg"), QString::fromUtf8("/a/Ünïcødé €.jpg")},
        {QString(), QStringLiteral(" spaces kept ")},
    };
    // Each is last changed at the time its dated name then takes.
    for (const QList<PlannedRename> &records : {first, second})
        shell(QStringLiteral("touch -d '2026-03-07 09:05:04' '%1'").arg(writeLog(dir, records)));
    const QString jpg = writeLog(dir, {});
    const QString txt = writeLog(dir, {{"/a/1.txt", "/a/2.txt"}}, "TXT");
    EXPECT_EQ(jpg, dir.path() + "Restore/RestoreJPG.log");
    EXPECT_TRUE(readLogRecords(jpg).isEmpty());
    const QString dated = dir.file("Restore/RestoreJPG-20260307-090504.log");
    // The decoder fails on a byte order mark; every line break must be CR LF.
    int status = -1;
    const QByteArray decoded = shell(QStringLiteral("iconv -f GBK -t UTF-8 '%1'").arg(dated), &status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(QString::fromUtf8(decoded),
              QString::fromUtf8("###  文件重命名日志--由 Quorin v1.25 创建于 2026年03月07日 09:05:04"
                                "  ###  请保留此文件，以便可以恢复原文件名！\r\n"
                                "/照片/旅行.jpg\r\n/照片/旅行001.jpg\r\n"));
    EXPECT_EQ(readLogRecords(dated), first);
    EXPECT_EQ(readLogRecords(dated.chopped(4) + "-2.log"), second);
    shell(QStringLiteral("printf '/a/3.jpg\\r\\n' >> '%1'").arg(txt));
    FileError last;
    EXPECT_EQ(readLogRecords(txt, &last), QList<PlannedRename>({{"/a/1.txt", "/a/2.txt"}}));
    EXPECT_EQ(last.code, InputPastEndOfFile);
    RenameLog unopened;
    EXPECT_EQ(unopened.openForReading("/no/such/file.log").code, PathNotFound);
    PlannedRename r;
    EXPECT_EQ(unopened.ReadLogRecord(r).code, BadFileNameOrNumber);
    for (const QString &log : {jpg, dated, txt})
        EXPECT_TRUE(exists(statesPathFor(log))) << log.toStdString();

    DiscardRenameLog(jpg); // reports that the folder, still in use, stays
    EXPECT_FALSE(exists(jpg) || exists(statesPathFor(jpg)));
    EXPECT_TRUE(exists(txt) && exists(dated));
    for (const QString &log : {txt, dated, dated.chopped(4) + "-2.log"})
        DiscardRenameLog(log);
    EXPECT_FALSE(exists(dir.file("Restore")));
    EXPECT_TRUE(RestoreErrorRule.passesOver(DiscardRenameLog(txt))) << "a log already gone is passed over";
}

TEST(RenameLogFile, logThatCannotReachTheDisk_isReported)
{
    TempFolder dir;
    SmallDisk small(dir.file("small"), "16k");
    if (!small.mounted())
        GTEST_SKIP() << "mounting a small tmpfs is not allowed here";
    RenameLog log;
    FileError e = log.CreateRenameLog(dir.file("small"), "JPG", When);
    for (int i = 0; i < 100 && !e.failed(); ++i)
        e = log.AppendLogRecord({QString(2000, u'x'), QString(2000, u'x')});
    EXPECT_GE((e.failed() ? e : log.commit()).code, int(OtherErrorBase));
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "TempFolder.h"

#include "platform/IniFile.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace quorin;
using namespace quorin::test;

// A write replaces the older value, keeps every other line and leaves only the
// file; a write that cannot be kept leaves the older value.
TEST(IniFile, read_givesTheValueTrimmed_andOtherwiseExactlyAsWritten_whichAWriteKeepsWithEveryOtherLine)
{
    TempFolder dir;
    const QString file = dir.file("Quorin.ini");
    const auto read = [&] { return ReadIniValue(file, "HistoryPath", "Path"); };
    const auto write = [&](const QString &value) { WriteIniValue(file, "HistoryPath", "Path", value); };
    const QString longChinese(300, QChar(0x4E2D));
    const struct { QByteArray content; QString value; } cases[] = {
        {"[HistoryPath]\nPath = /a b, c  \n", "/a b, c"},
        {"[HistoryPath]\r\nPath=\t/x;y #z \"q\" a=b\t\r\n", "/x;y #z \"q\" a=b"},
        {"\xEF\xBB\xBF[historypath]\npath=/中文 目录", QString::fromUtf8("/中文 目录")},
        {"[Other]\nPath=/no\n[HistoryPath]\nKey=1\nPath=/first\nPath=/no\n[HistoryPath]\nPath=/no\n", "/first"},
        {"[HistoryPath]\nPath=" + longChinese.toUtf8(), longChinese},
        {"[HistoryPath]\n;Path=/commented\n#Path=/commented\n", ""},
        {"Path=/before any section\n[Other]\nPath=/elsewhere\n", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.content.constData());
        dir.write("Quorin.ini", c.content);
        EXPECT_EQ(read(), c.value);
    }
    EXPECT_EQ(ReadIniValue(dir.file("missing.ini"), "HistoryPath", "Path"), QString());

    const struct { const char *before, *value, *after; } writes[] = {
        {"", "/a b, c;d=e \"f\" #g", "[HistoryPath]\nPath=/a b, c;d=e \"f\" #g\n"},
        {"; note\n[Other]\nPath = /other\n[HistoryPath]\nPath = /old\nExtra=2\n[Last]\nB=3",
         "/中文", "; note\n[Other]\nPath = /other\n[HistoryPath]\nPath=/中文\nExtra=2\n[Last]\nB=3\n"},
        {"[HistoryPath]\nExtra=2\n\n[Last]\nB=3\n", "/", "[HistoryPath]\nExtra=2\nPath=/\n\n[Last]\nB=3\n"},
        {"[Other]\r\nA=1\r\n", "/", "[Other]\r\nA=1\r\n[HistoryPath]\r\nPath=/\r\n"},
    };
    for (const auto &c : writes) {
        SCOPED_TRACE(c.before);
        QFile::remove(file);
        if (*c.before)
            dir.write("Quorin.ini", c.before);
        write(QString::fromUtf8(c.value));
        EXPECT_EQ(readAll(file), c.after);
        EXPECT_EQ(read(), QString::fromUtf8(c.value));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Quorin.ini"});

    write("/old");
    write("/line\nbreak");
    EXPECT_EQ(read(), "/old");
    if (!dir.setImmutable("."))
        GTEST_SKIP() << "needs root and chattr to make the folder unwritable";
    write("/new");
    dir.setImmutable(".", false);
    EXPECT_EQ(read(), "/old");
}

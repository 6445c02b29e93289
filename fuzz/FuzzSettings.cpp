// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Any settings file: read, then a folder written into it and read back.
#include "FuzzInput.h"

#include "platform/IniFile.h"

using namespace quorin;
using namespace quorin::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = fields(data, size, 2);
    const QString file = writeFile(QStringLiteral("Quorin.ini"), parts[0]);
    ReadIniValue(file, QStringLiteral("HistoryPath"), QStringLiteral("Path"));
    const QString value = QString::fromUtf8(parts[1]).trimmed();
    if (value.contains(u'\n') || value.contains(u'\r'))
        return 0;
    WriteIniValue(file, QStringLiteral("HistoryPath"), QStringLiteral("Path"), value);
    require(ReadIniValue(file, QStringLiteral("HistoryPath"), QStringLiteral("Path")) == value,
            "a folder written is read back");
    return 0;
}

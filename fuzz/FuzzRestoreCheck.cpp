// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// A chosen file and the record states beside it, checked as Restore checks
// them before asking anything; the states of a log that passes are read whole.
#include "FuzzInput.h"

#include "log/LogNames.h"
#include "log/RecordStates.h"
#include "log/Restore.h"

#include <QFile>

using namespace quorin;
using namespace quorin::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = fields(data, size, 2);
    const QString log = writeFile(QStringLiteral("chosen.log"), parts[0]);
    const QString states = statesPathFor(log);
    QFile::remove(states);
    if (parts.size() > 1)
        writeFile(states.mid(states.lastIndexOf(u'/') + 1), parts.mid(1).join('\0'));
    if (!isWholeRenameLog(log))
        return 0;
    RecordStates read;
    if (read.open(log) != RecordStates::Found::Present)
        return 0;
    for (qint64 record = 0; record < read.records(); ++record)
        read.state(record);
    return 0;
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Any bytes as the record states beside a log: opened, read and written
// record by record, and copied as a run copies them when it moves a log aside.
#include "FuzzInput.h"

#include "log/LogNames.h"
#include "log/RecordStates.h"

#include <QFile>

using namespace quorin;
using namespace quorin::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString log = scratchFolder() + QStringLiteral("/RestoreJPG.log");
    const QString states = statesPathFor(log);
    writeFile(states.mid(states.lastIndexOf(u'/') + 1), QByteArrayView(data, qsizetype(size)));
    RecordStates read;
    if (read.open(log) != RecordStates::Found::Present)
        return 0;
    require(read.records() <= qint64(size), "never more records than bytes");
    for (qint64 record = -1; record <= read.records(); ++record) {
        read.state(record);
        read.set(record, RecordState::Undone);
        require(record < 0 || record >= read.records() || read.state(record) == RecordState::Undone,
                "a state written reads back");
    }
    const QString copy = scratchFolder() + QStringLiteral("/.RestoreJPG-copy.log.state");
    QFile::remove(copy);
    require(!read.copyTo(copy).failed(), "open states copy");
    return 0;
}

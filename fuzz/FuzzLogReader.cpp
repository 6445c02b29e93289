// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Any file read as a log, forwards as the run and its check read it, and
// backwards as Restore and the roll-back read it: both must see the same lines.
#include "FuzzInput.h"

#include "platform/TextFile.h"

#include <QStringList>

using namespace quorin;
using namespace quorin::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = writeFile(QStringLiteral("input.log"), QByteArrayView(data, qsizetype(size)));
    const LineScan scan = scanLines(path, -1, ScanDigest::Take);
    QStringList forward;
    LineReader reader;
    FileError failure = reader.open(path);
    while (!failure.failed() && !reader.atEnd()) {
        QString line;
        failure = reader.readLine(line);
        forward << line;
    }
    reader.close();
    if (!scan.crLfOnly || scan.error.failed() || scan.lines == 0)
        return 0;
    require(forward.size() == scan.lines, "the forward reader counts the lines the scan counts");
    const LineScan header = scanLines(path, 1);
    BackwardLineReader backward;
    require(!backward.open(path, header.end, scan.end).failed(), "a scanned file opens backwards");
    for (qsizetype i = forward.size() - 1; i >= 1; --i) {
        QString line;
        require(!backward.readPreviousLine(line).failed(), "every line reads backwards");
        require(line == forward[i], "backwards gives the lines forwards gave");
    }
    require(backward.atBegin(), "backwards ends at the header");
    return 0;
}

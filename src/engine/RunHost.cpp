// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RunHost.h"

namespace quorin {

QString ProgressText::format(qint64 count) const
{
    const QString number = signSpace ? signSpaced(count) : QString::number(count);
    return QString::fromUtf16(before) + number + QString::fromUtf16(after);
}

QString signSpaced(qint64 count)
{
    return u' ' + QString::number(count);
}

} // namespace quorin

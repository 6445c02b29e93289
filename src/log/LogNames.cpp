// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "LogNames.h"


namespace quorin {

QString statesPathFor(const QString &logPath)
{
    const qsizetype slash = logPath.lastIndexOf(u'/');
    return logPath.left(slash + 1) + u'.' + logPath.mid(slash + 1) + QStringLiteral(".state");
}

QString datedLogPath(const QString &logPath, const QDateTime &modified, int attempt)
{
    QString dated = logPath.chopped(4) + u'-' + modified.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (attempt > 1)
        dated += u'-' + QString::number(attempt);
    return dated + QStringLiteral(".log");
}

bool isKeptInLogFolder(const QString &name)
{
    const bool log = name.startsWith(u"Restore") && name.endsWith(u".log");
    const bool states = name.startsWith(u'.') && name.endsWith(u".log.state");
    return log || states;
}

} // namespace quorin

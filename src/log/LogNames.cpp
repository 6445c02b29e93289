// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "LogNames.h"

#include "platform/FileOperations.h"

#include <QRegularExpression>

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
    static const QRegularExpression dated(QStringLiteral(R"(^Restore.*-\d{8}-\d{6}(-\d+)?\.log$)"));
    static const QRegularExpression states(QStringLiteral(R"(^\..+\.log\.state$)"));
    return isTemporaryName(name) || dated.match(name).hasMatch() || states.match(name).hasMatch();
}

} // namespace quorin

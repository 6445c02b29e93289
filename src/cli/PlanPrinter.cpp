// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "PlanPrinter.h"

#include <cerrno>

namespace quorin::cli {

QByteArray escapedPath(const QString &path)
{
    QByteArray field;
    for (const char c : path.toUtf8()) {
        switch (c) {
        case '\t': field += "\\t"; break;
        case '\n': field += "\\n"; break;
        case '\\': field += "\\\\"; break;
        default: field += c; break;
        }
    }
    return field;
}

FileError PlanPrinter::take(const PreviewRow &rename)
{
    if (rename.NewPath.isEmpty())
        return {};
    const QByteArray line = nulSeparated_ ? rename.OldPath.toUtf8() + '\0' + rename.NewPath.toUtf8() + '\0'
                                          : escapedPath(rename.OldPath) + '\t' + escapedPath(rename.NewPath) + '\n';
    if (host_.printResult(line))
        return {};
    return FileError::fromErrno(errno, FileTarget::File);
}

} // namespace quorin::cli

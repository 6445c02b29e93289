// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "GivenFolder.h"

#include <QDir>
#include <QFileInfo>

namespace quorin {

QString givenFolder(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isDir() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}

std::optional<MessageBox> argumentsRefusal(const QStringList &arguments)
{
    QString prompt;
    if (arguments.size() > 1)
        prompt = QStringLiteral("一次只能打开一个文件夹：“") + arguments.join(QStringLiteral("”、“")) + QStringLiteral("”。");
    else if (arguments.size() == 1 && givenFolder(arguments.front()).isEmpty())
        prompt = QStringLiteral("“") + arguments.front() + QStringLiteral("”不是一个文件夹。");
    if (prompt.isEmpty())
        return std::nullopt;
    return refusal(prompt, QStringLiteral("浏览"));
}

} // namespace quorin

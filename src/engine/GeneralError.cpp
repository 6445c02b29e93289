// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "GeneralError.h"

#include "platform/TextFile.h"

namespace quorin {

void endWithGeneralError(RunHost &host, const FileError &error)
{
    const QString prompt = QStringLiteral("发生未知错误！\n\n错误代码：") + QString::number(error.code)
                           + QStringLiteral("   错误描述：") + error.description
                           + QStringLiteral("\n\n如果错误仍然存在，请您与作者联系！");
    host.showMessage({prompt, QStringLiteral("发生错误"), MessageIcon::Critical, MessageButtons::Ok,
                      MessageAnswer::Ok});
    closeAllFiles();
    host.endProgram();
}

} // namespace quorin

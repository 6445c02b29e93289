// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "HelpDocument.h"
#include "frmAbout.h"

#include <QCoreApplication>
#include <QUrl>

namespace quorin {

void frmmain::mnuHelp_Click()
{
    const QString document = helpDocument(QCoreApplication::applicationDirPath());
    const QString title = QStringLiteral("帮助");
    if (document.isEmpty())
        showMessage(refusal(QStringLiteral("找不到帮助文件 help.htm。"), title));
    else if (!seams_.openUrl(QUrl::fromLocalFile(document)))
        showMessage(refusal(QStringLiteral("没有可以打开帮助文件的浏览器。帮助文件在：\n\n") + document, title));
}

void frmmain::mnuAbout_Click()
{
    frmAbout box(seams_.openUrl, this);
    box.exec();
}

} // namespace quorin

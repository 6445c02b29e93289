// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "frmmain.h"

#include "HelpDocument.h"
#include "frmAbout.h"

#include <QCoreApplication>
#include <QUrl>

namespace quorin {

// A missing help document gives no message: there is simply nothing to open.
void frmmain::mnuHelp_Click()
{
    const QString document = helpDocument(QCoreApplication::applicationDirPath());
    if (!document.isEmpty())
        seams_.openUrl(QUrl::fromLocalFile(document));
}

void frmmain::mnuAbout_Click()
{
    frmAbout box(seams_.openUrl, this);
    box.exec();
}

} // namespace quorin

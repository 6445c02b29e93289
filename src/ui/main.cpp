// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FolderHandOver.h"
#include "GivenFolder.h"
#include "QtDialogs.h"
#include "Startup.h"
#include "frmmain.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    quorin::SingleCopy copy;
    // A second copy ends at once, with no window and no message; a folder it
    // was started with goes to the copy that runs.
    if (!copy.isOnlyCopy()) {
        const QString folder = arguments.size() == 1 ? quorin::givenFolder(arguments.front()) : QString();
        if (!folder.isEmpty())
            quorin::handOverFolder(folder);
        return 0;
    }
    quorin::useChineseInterface(app);
    quorin::useProgramFonts();
    Q_INIT_RESOURCE(quorin);
    quorin::useProgramIcon();
    quorin::QtDialogs dialogs;
    quorin::frmmain window({dialogs, [&copy](int status) {
                                copy.release();
                                quorin::endAtOnce(status);
                            },
                            [](const QUrl &url) { return QDesktopServices::openUrl(url); }});
    quorin::FolderHandOver handOver([&window](const QString &folder) { window.takeHandedFolder(folder); });
    handOver.listen();
    window.show();
    window.openArguments(arguments);
    return app.exec();
}

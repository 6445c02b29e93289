// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "QtDialogs.h"
#include "Startup.h"
#include "frmmain.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    quorin::SingleCopy copy;
    // A second copy ends at once, with no window and no message.
    if (!copy.isOnlyCopy())
        return 0;
    quorin::useChineseInterface(app);
    quorin::useProgramFonts();
    Q_INIT_RESOURCE(quorin);
    quorin::useProgramIcon();
    quorin::QtDialogs dialogs;
    quorin::frmmain window({dialogs, [&copy](int status) {
                                copy.release();
                                quorin::endAtOnce(status);
                            },
                            [](const QUrl &url) { QDesktopServices::openUrl(url); }});
    window.show();
    return app.exec();
}

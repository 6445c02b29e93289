// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// The least a Qt Widgets program does to show Chinese text: one label, ended
// once it has been painted. The benchmark sets Quorin's start-up beside it.
#include "AfterFirstPaint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("等待重命名操作"));
    AfterFirstPaint painted(&QCoreApplication::quit);
    label.installEventFilter(&painted);
    label.show();
    return app.exec();
}

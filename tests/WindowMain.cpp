// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "Startup.h"

#include <QApplication>

#include <gtest/gtest.h>

// The window tests run on the offscreen platform, set before the application
// exists, so they need no display: not even to list the tests.
int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quorin::useChineseInterface(app);
    quorin::useProgramFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

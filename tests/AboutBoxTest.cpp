// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include "HelpDocument.h"
#include "frmAbout.h"

using namespace quorin;
using namespace quorin::test;

// Only a left click closes the box, and only on its background, icon, version or title.
TEST(AboutBox, closesOnALeftClickOnTheBackgroundIconVersionAndTitle_only)
{
    const QList<std::pair<const char *, bool>> cases = {
        {"frmAbout", true}, {"Image1", true}, {"Label3", true}, {"lblcap_0", true}, {"lblcap_1", true},
        {"Label1", false}, {"Label2", false}, {"lblauthor", false}, {"Label5", false}, {"Label4", false},
        {"lbl10_1", false}, {"lblemail", false}, {"lblnet", false},
    };
    for (const auto &[name, closes] : cases) {
        SCOPED_TRACE(name);
        frmAbout box([](const QUrl &) {}, nullptr);
        showExposed(box);
        QWidget &target = QByteArray(name) == "frmAbout" ? box : child(box, name);
        // The background: a corner no control covers.
        const QPoint at = &target == &box ? QPoint(3, 3) : target.rect().center();
        QTest::mouseClick(&target, Qt::RightButton, {}, at);
        EXPECT_TRUE(box.isVisible());
        QTest::mouseClick(&target, Qt::LeftButton, {}, at);
        EXPECT_EQ(box.isVisible(), !closes);
    }
}

TEST(AboutBox, links_openOnALeftPressOnly_andLeaveTheBoxOpen)
{
    QList<QUrl> opened;
    frmAbout box([&](const QUrl &url) { opened << url; }, nullptr);
    showExposed(box);
    auto &email = child<QLabel>(box, "lblemail");
    auto &home = child<QLabel>(box, "lblnet");
    QTest::mouseClick(&email, Qt::RightButton);
    QTest::mousePress(&home, Qt::MiddleButton);
    EXPECT_TRUE(opened.isEmpty());

    QTest::mousePress(&email, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1) << "a press opens the link, without waiting for the release";
    EXPECT_EQ(opened.last(), QUrl(QStringLiteral("mailto:") + email.text()));
    QTest::mouseRelease(&email, Qt::LeftButton);
    QTest::mouseClick(&home, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.last().host(), home.text()) << "the home page whose host the link shows";
    EXPECT_TRUE(box.isVisible());
}

TEST_F(WindowTest, aboutMenu_showsTheBoxModally_andItsClosingDestroysIt)
{
    CatchShow<frmAbout> catcher([](frmAbout &shown) {
        EXPECT_TRUE(shown.isModal());
        QTest::mouseClick(&shown, Qt::LeftButton, {}, QPoint(3, 3));
    });
    control<QAction>("mnuAbout").trigger();
    EXPECT_EQ(catcher.shown, 1);
    EXPECT_EQ(window.findChild<frmAbout *>(), nullptr);
    control<QAction>("mnuHelp").trigger();
    EXPECT_TRUE(opened.isEmpty()) << "no help.htm beside the tests: nothing is opened, nothing is said";
    EXPECT_TRUE(dialogs.boxes.shown.isEmpty());
}

TEST(HelpDocument, isLookedForBesideTheProgramFirst_thenInItsShareFolder)
{
    const struct {
        QStringList files;
        QString expected;
    } cases[] = {
        {{"bin/help.htm"}, "bin/help.htm"},
        {{"share/quorin/help.htm"}, "share/quorin/help.htm"},
        {{"bin/help.htm", "share/quorin/help.htm"}, "bin/help.htm"},
        {{"bin/quorin"}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.files.join(u' ').toStdString());
        TempFolder dir;
        dir.makeFolder("bin");
        for (const QString &file : c.files)
            dir.write(file);
        EXPECT_EQ(helpDocument(dir.file("bin")), c.expected.isEmpty() ? QString() : dir.file(c.expected));
    }
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "CatchShow.h"
#include "WindowFixture.h"

#include "HelpDocument.h"
#include "frmAbout.h"

#include <QTest>

using namespace quorin;
using namespace quorin::test;

namespace {

class AboutBox : public WindowTest {
protected:
    AboutBox() : box([this](const QUrl &url) { opened << url; }, &window)
    {
        box.show();
        if (!QTest::qWaitForWindowExposed(&box))
            qFatal("the About box was never shown");
    }
    frmAbout box;
};

} // namespace

TEST(AboutBoxClicks, closeOnTheBackgroundIconVersionAndTitle_only)
{
    const QList<std::pair<const char *, bool>> cases = {
        {"frmAbout", true}, {"Image1", true}, {"Label3", true}, {"lblcap_0", true}, {"lblcap_1", true},
        {"Label1", false}, {"Label2", false}, {"lblauthor", false}, {"Label5", false}, {"Label4", false},
        {"lbl10_1", false}, {"lblemail", false}, {"lblnet", false},
    };
    for (const auto &[name, closes] : cases) {
        SCOPED_TRACE(name);
        frmAbout box([](const QUrl &) {}, nullptr);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        QWidget &target = QByteArray(name) == "frmAbout" ? box : child(box, name);
        // The background: a corner no control covers.
        const QPoint at = &target == &box ? QPoint(3, 3) : target.rect().center();
        QTest::mouseClick(&target, Qt::LeftButton, {}, at);
        EXPECT_EQ(box.isVisible(), !closes);
        if (closes)
            continue;
        QTest::mouseClick(&target, Qt::RightButton, {}, at);
        EXPECT_TRUE(box.isVisible());
    }
}

TEST_F(AboutBox, links_openOnALeftPressOnly_andLeaveTheBoxOpen)
{
    QLabel &email = child<QLabel>(box, "lblemail");
    QLabel &home = child<QLabel>(box, "lblnet");
    QTest::mousePress(&email, Qt::RightButton);
    QTest::mouseRelease(&email, Qt::RightButton);
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
    struct Case {
        const char *name;
        QStringList files;
        QString expected;
    };
    const QList<Case> cases = {
        {"beside", {"bin/help.htm"}, "bin/help.htm"},
        {"installed", {"share/quorin/help.htm"}, "share/quorin/help.htm"},
        {"both", {"bin/help.htm", "share/quorin/help.htm"}, "bin/help.htm"},
        {"neither", {"bin/quorin"}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        dir.makeFolder("bin");
        for (const QString &file : c.files)
            dir.write(file);
        EXPECT_EQ(helpDocument(dir.file("bin")), c.expected.isEmpty() ? QString() : dir.file(c.expected));
    }
}

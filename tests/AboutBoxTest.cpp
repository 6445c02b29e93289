// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include "HelpDocument.h"
#include "frmAbout.h"

using namespace quorin;
using namespace quorin::test;

// Only a left click closes the box, and only on its background, icon, version
// or title; a left press on a link opens it at once, and leaves the box open.
TEST(AboutBox, leftClicks_closeOnTheBackgroundIconVersionAndTitle_andOpenTheLinks)
{
    // Controls, whether a left click on them closes the box, whether they are links.
    for (const auto &[names, closes, link] : QList<std::tuple<QList<const char *>, bool, bool>>{
             {{"frmAbout", "Image1", "Label3", "lblcap_0", "lblcap_1"}, true, false},
             {{"Label1", "Label2", "lblauthor", "Label5", "Label4", "lbl10_1"}, false, false},
             {{"lblemail", "lblnet"}, false, true}})
        for (const char *name : names) {
            SCOPED_TRACE(name);
            QList<QUrl> opened;
            frmAbout box([&](const QUrl &url) { opened << url; }, nullptr);
            showExposed(box);
            QWidget &target = QByteArray(name) == "frmAbout" ? box : child(box, name);
            // The background: a corner no control covers.
            const QPoint at = &target == &box ? QPoint(3, 3) : target.rect().center();
            for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton})
                QTest::mouseClick(&target, other, {}, at);
            EXPECT_TRUE(box.isVisible() && opened.isEmpty()) << "only the left button acts";
            QTest::mousePress(&target, Qt::LeftButton, {}, at);
            ASSERT_EQ(opened.size(), link ? 1 : 0) << "a press opens a link, without waiting for the release";
            // The e-mail link shows its address, the home page link its host.
            // Hovered, a link turns red; over the box's background, blue again.
            if (link) {
                EXPECT_EQ(opened[0].scheme() == "mailto" ? opened[0].path() : opened[0].host(),
                          static_cast<QLabel &>(target).text());
                for (QWidget *over : {&target, static_cast<QWidget *>(&box)}) {
                    const QPointF corner(3, 3);
                    QMouseEvent move(QEvent::MouseMove, corner, over->mapToGlobal(corner), Qt::NoButton, {}, {});
                    QApplication::sendEvent(over, &move);
                    EXPECT_EQ(target.palette().color(QPalette::WindowText), over == &box ? Qt::blue : Qt::red);
                }
            }
            QTest::mouseRelease(&target, Qt::LeftButton, {}, at);
            EXPECT_EQ(box.isVisible(), !closes);
        }
}

// The about menu shows the box modally, and its closing destroys it. Help says
// so in one box when there is no help.htm to open (none lies beside the
// tests), and when nothing on the desktop opens it.
TEST_F(WindowTest, aboutMenuShowsTheBoxModally_andHelpMenuOpensHelpWithTheBrowser_orSaysWhyNot)
{
    CatchShow<frmAbout> catcher([](frmAbout &shown) {
        EXPECT_TRUE(shown.isModal());
        QTest::mouseClick(&shown, Qt::LeftButton, {}, QPoint(3, 3));
    });
    control<QAction>("mnuAbout").trigger();
    EXPECT_EQ(std::pair(catcher.shown, window.findChild<frmAbout *>() == nullptr), std::pair(1, true)) << "shown once";
    const QString document = QCoreApplication::applicationDirPath() + "/help.htm";
    ASSERT_FALSE(exists(document));
    QStringList prompts;
    // Whether help.htm is there, whether a browser is.
    for (const auto &[there, browser] :
         QList<std::pair<bool, bool>>{{false, true}, {false, false}, {true, true}, {true, false}}) {
        ASSERT_TRUE(!there || QFile(document).open(QIODevice::WriteOnly));
        browserFound = browser;
        control<QAction>("mnuHelp").trigger();
        for (const MessageBox &box : std::exchange(dialogs.boxes.shown, {}))
            prompts << box.title + ": " + box.prompt;
    }
    QFile::remove(document);
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(document), QUrl::fromLocalFile(document)}));
    EXPECT_EQ(prompts, (QStringList{"帮助: 找不到帮助文件 help.htm。", "帮助: 找不到帮助文件 help.htm。",
                                    "帮助: 没有可以打开帮助文件的浏览器。帮助文件在：\n\n" + document}));
}

TEST(HelpDocument, isLookedForBesideTheProgramFirst_thenInItsShareFolder)
{
    for (const auto &[files, expected] : QList<std::pair<QStringList, QString>>{
             {{"bin/help.htm"}, "bin/help.htm"}, {{"bin/quorin", "share/quorin/help.htm"}, "share/quorin/help.htm"},
             {{"bin/help.htm", "share/quorin/help.htm"}, "bin/help.htm"}, {{"bin/quorin"}, ""}}) {
        SCOPED_TRACE(files.join(u' ').toStdString());
        TempFolder dir;
        dir.writeNamed(".", files);
        EXPECT_EQ(helpDocument(dir.file("bin")), expected.isEmpty() ? QString() : dir.file(expected));
    }
}

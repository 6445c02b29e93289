// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "WindowFixture.h"

#include "FolderHandOver.h"

#include "folders/RememberedFolder.h"
#include "log/RenameLog.h"

#include <QDropEvent>
#include <QMimeData>

using namespace quorin;
using namespace quorin::test;

// Before any survey, a restore leaves Start locked and a cancelled survey
// changes nothing; then a survey, a refused and a whole run, and the restore
// of that run, with the log picker cancelled once before it; only then do the
// exit button, menu and close box each end the program at once.
TEST_F(WindowTest, wholeCycle_fromTheControls_oneOperationAtATime_withStartLockedUntilASurvey_thenExit)
{
    makeSources({"b.jpg", "a.JPG", "c.txt", "sub/d.jpg"});
    const auto before = snapshot(src());
    dir.write("x.jpg");
    {
        RenameLog handMade;
        handMade.CreateRenameLog(dir.path(), "JPG", QDateTime::currentDateTime());
        handMade.AppendLogRecord({dir.file("y.jpg"), dir.file("x.jpg")});
        handMade.commit();
        dialogs.files << handMade.path();
    }
    operate("restore before any survey", [this] { click("CmdRestore"); }, true, {"CmdSourDir", "CmdRestore"});
    click("CmdSourDir");
    EXPECT_EQ(std::pair(status(), enabled("CmdStart")), std::pair(QStringLiteral("已经恢复了 1 个文件！"), false));
    operate("survey", [this] { survey(src()); });
    EXPECT_EQ(dialogs.folderTitles, QStringList(2, QStringLiteral("请选择一个目录")));
    // Then the two file types offered, none of them chosen.
    const auto &types = control<QComboBox>("cboFileType");
    EXPECT_EQ(surveyed() << types.currentText() + types.itemText(0) + types.itemText(1) + types.itemText(2),
              (QStringList{src(), src(), "共有 3 个文件及 2 种文件类型", "JPGTXT"}));

    operate("refused run", [this] { click("CmdStart"); }, false);
    chooseSettings("JPG");
    operate("run", [this] { click("CmdStart"); });
    EXPECT_EQ(snapshot(src()).keys(), (QStringList{"c.txt", "p001_a.JPG", "p002_b.jpg", "sub/d.jpg"}));

    click("CmdRestore");
    dialogs.files << src() + "/Restore/RestoreJPG.log";
    operate("restore", [this] { click("CmdRestore"); });
    const FileDialogRequest &asked = dialogs.fileRequests.last();
    EXPECT_EQ(asked.title + " " + asked.filterText + " " + asked.initialFolder, "请选择重命名日志文件 日志文件(*.LOG) " + src());
    QStringList titles;
    for (const MessageBox &box : dialogs.boxes.shown)
        titles << box.title;
    EXPECT_EQ(titles, (QStringList{"恢复确认", "成功", "添加字符", "操作完成", "恢复确认", "成功"}));
    EXPECT_EQ(snapshot(src()), before);
    click("CmdExit");
    control<QAction>("mnuExit").trigger();
    window.close();
    EXPECT_EQ(endings, (QList<int>{0, 0, 0}));
}

namespace {

// Drags the folders, or else the text, over a control as a file manager does;
// drops them there when the window takes them. Returns whether it took them.
bool dragOnto(QWidget &control, const QStringList &paths, const QString &text = {})
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << (path.contains(u':') ? QUrl(path) : QUrl::fromLocalFile(path));
    if (text.isEmpty())
        data.setUrls(urls);
    else
        data.setText(text);
    QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(4, 4), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &drop);
    QCoreApplication::processEvents();
    return true;
}

} // namespace

// The command line, a drop and a second copy give a folder that is surveyed as
// if chosen with 浏览; anything else surveys nothing, and only the command
// line says why. Nothing is taken during a survey.
TEST_F(WindowTest, folderFromOutside_isSurveyedAsIfBrowsed_andAnythingElseIsRefused)
{
    makeSources({"a.jpg", "b.txt"});
    dir.write("file.jpg");
    dir.makeFolder("other");
    const QString other = dir.file("other"), file = dir.file("file.jpg");
    const auto give = [this](const QString &how, const QStringList &given) {
        if (how == "arguments") {
            window.openArguments(given);
            return true;
        }
        if (const QString handed = handedFolder(given.front().toUtf8()); how == "handed over") {
            if (!handed.isEmpty())
                window.takeHandedFolder(handed);
            return !handed.isEmpty();
        }
        return dragOnto(how == "frmmain" ? window : control(how.toLatin1()), given);
    };
    // How the folder comes, what is given, the box that says why it is refused.
    for (const auto &[how, given, prompt] : QList<std::tuple<const char *, QStringList, QString>>{
             {"arguments", {}, ""}, {"arguments", {file}, "“" + file + "”不是一个文件夹。"},
             {"arguments", {dir.file("gone")}, "“" + dir.file("gone") + "”不是一个文件夹。"},
             {"arguments", {src(), other}, "一次只能打开一个文件夹：“" + src() + "”、“" + other + "”。"},
             {"txtSourDir", {file}, ""}, {"lblInfo", {src(), other}, ""}, {"cboFileType", {"https://example.com/"}, ""},
             {"handed over", {src() + "\n" + other}, ""}, {"handed over", {"."}, ""}, {"handed over", {file}, ""},
             {"handed over", {src() + QChar(0)}, ""}, {"handed over", {"/" + QString(4096, u'a')}, ""}}) {
        SCOPED_TRACE(std::string(how) + " " + given.join(u' ').left(80).toStdString());
        EXPECT_EQ(give(how, given), QByteArray(how) == "arguments");
        EXPECT_EQ(appearance(std::exchange(dialogs.boxes.shown, {}).value(0)),
                  appearance(prompt.isEmpty() ? MessageBox() : refusal(prompt, "浏览")));
        EXPECT_EQ(std::pair(status(), enabled("CmdStart")), std::pair(QStringLiteral("等待重命名操作"), false));
    }
    for (const char *how : {"arguments", "frmmain", "txtSourDir", "handed over"}) {
        SCOPED_TRACE(how);
        EXPECT_TRUE(give(how, {src() + "/"}));
        EXPECT_EQ(surveyed() << rememberedFolder(), (QStringList{src(), src(), "共有 2 个文件及 2 种文件类型", src()}));
        EXPECT_TRUE(enabled("CmdStart"));
        onceStatusReads("正在统计第", [&] {
            EXPECT_FALSE(dragOnto(window, {other})) << "refused during a survey";
            window.takeHandedFolder(other);
        });
        survey(src());
        EXPECT_EQ(text("txtSourDir"), src());
        EXPECT_TRUE(dialogs.boxes.shown.isEmpty());
    }
    EXPECT_TRUE(dragOnto(control("txtAddString"), {}, "trip")) << "text dragged into a box stays the box's";
}

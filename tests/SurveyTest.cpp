// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FakeHost.h"
#include "TempFolder.h"

#include "folders/RememberedFolder.h"
#include "folders/Survey.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace quorin;
using namespace quorin::test;

namespace {

class Survey : public ::testing::Test {
protected:
    // The folder for the settings file does not exist yet: the survey makes it.
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", config.file("made/by/survey").toUtf8());
        host.startEnabled = false;
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    SurveyResult survey(const QString &folder) { return SurveyFolder(host, folder); }

    TempFolder tree;
    TempFolder config;
    FakeHost host;
};

} // namespace

TEST_F(Survey, countsAndTypes_followTheSubfolderAndHiddenSwitches)
{
    for (const char *name : {"a.txt", "b.TXT", "c.Txt", "noext", "ends.", ".hidden.cfg", "sub/x.jpg",
                             "sub/.h.png", "sub/deep/y.JPG", ".hid/z.gif", "Restore/RestoreTXT.log"})
        tree.write(name);
    // Followed, this link would walk the tree again and again.
    QFile::link("..", tree.file("sub/up.lnk"));
    const struct {
        bool subfolders, hidden;
        int files, folders;
        const char *types, *summary;
    } cases[] = {
        {false, false, 5, 2, "TXT", "共有 5 个文件及 1 种文件类型"},
        {false, true, 6, 3, "CFG,TXT", "共有 6 个文件及 2 种文件类型"},
        {true, false, 9, 3, "JPG,LNK,LOG,TXT", "共有 9 个文件和 3 个文件夹及 4 种文件类型"},
        {true, true, 12, 4, "CFG,GIF,JPG,LNK,LOG,PNG,TXT", "共有 12 个文件和 4 个文件夹及 7 种文件类型"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.summary);
        host.job.IncludeSubfolders = c.subfolders;
        host.job.IncludeHidden = c.hidden;
        const SurveyResult result = survey(tree.path());
        EXPECT_EQ(result.fileCount, c.files);
        EXPECT_EQ(result.folderCount, c.folders);
        EXPECT_EQ(result.sortedTypes.join(u','), QString::fromUtf8(c.types));
        EXPECT_EQ(result.summary, QString::fromUtf8(c.summary));
    }
}

TEST_F(Survey, typeList_sortsCaseBlind_andUpperCasesEachCodePointAlone)
{
    for (const char *name : {"1.zip", "2.doc", "3._x", "4.straße", "5.𐐨", "6.7z", "7.Zip"})
        tree.write(QString::fromUtf8(name));
    EXPECT_EQ(survey(tree.path()).sortedTypes, QString::fromUtf8("7Z,_X,DOC,STRAßE,ZIP,𐐀").split(u','));
}

TEST_F(Survey, showsTheRunningCountThenTheSummary_andRemembersEvenAFolderWithNothing)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        tree.write(name);
    tree.makeFolder("sub");
    const SurveyResult result = survey(tree.path());
    EXPECT_EQ(host.statuses, QStringList({QString::fromUtf8("正在统计第 1 个文件"), QString::fromUtf8("正在统计第 2 个文件"),
                                          QString::fromUtf8("正在统计第 3 个文件"), result.summary}));
    EXPECT_EQ(host.yields, 6) << "three files, one folder, \".\" and \"..\"";
    EXPECT_EQ(rememberedFolder(), tree.path());
    EXPECT_TRUE(host.startEnabled);

    EXPECT_EQ(survey(tree.file("sub")).summary, QString::fromUtf8("共有 0 个文件及 0 种文件类型"));
    EXPECT_EQ(rememberedFolder(), tree.file("sub"));
}

TEST_F(Survey, folderGoneBeforeItIsWalked_yieldsNothing_andTheWalkGoesOn)
{
    tree.write("gone/lost.gif");
    tree.write("kept/found.png");
    host.job.IncludeSubfolders = true;
    // ".", "..", gone and kept are listed; the next yield is the one after the folder.
    host.onYield = [&](FakeHost &) {
        if (host.yields == 5)
            QDir(tree.file("gone")).removeRecursively();
    };
    const SurveyResult result = survey(tree.path());
    EXPECT_EQ(result.fileCount, 1);
    EXPECT_EQ(result.folderCount, 2);
    EXPECT_EQ(result.sortedTypes, QStringList{"PNG"});
}

TEST_F(Survey, subfolderSwitch_isReadAfterEveryFolder_hiddenSwitchOnlyAtTheStart)
{
    for (const char *name : {"one/.seen.txt", "one/deep/a.txt", "two/.seen.txt", "two/deep/a.txt"})
        tree.write(name);
    host.job.IncludeSubfolders = true;
    host.job.IncludeHidden = true;
    // The root yields five times; the sixth is inside the first sub-folder.
    host.onYield = [&](FakeHost &) {
        host.job.IncludeHidden = false;
        if (host.yields == 6)
            host.job.IncludeSubfolders = false;
    };
    const SurveyResult result = survey(tree.path());
    EXPECT_EQ(result.fileCount, 1);
    EXPECT_EQ(result.folderCount, 3);
    EXPECT_EQ(result.summary, QString::fromUtf8("共有 1 个文件及 1 种文件类型"));
}

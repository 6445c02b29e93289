// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FakeHost.h"
#include "TempFolder.h"

#include "folders/RememberedFolder.h"
#include "folders/Survey.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace quorin;
using namespace quorin::test;

// Counts and types follow the sub-folder and hidden switches: hidden entries
// as they stand at the start, sub-folders as they stand after each folder. The
// running count shows, then the summary, and even a folder with nothing is
// remembered, in a settings folder the survey makes.
TEST(Survey, countsTypesAndSummary_followTheSwitches_andTheFolderIsRemembered)
{
    TempFolder config;
    qputenv("XDG_CONFIG_HOME", config.file("made/by/survey").toUtf8());
    // "@" ends a link to the folder above: followed, it would walk the tree
    // again and again.
    const QStringList mixed = {"a.txt", "b.TXT", "c.Txt", "noext", "ends.", ".hidden.cfg", "sub/x.jpg", "sub/.h.png",
                               "sub/deep/y.JPG", ".hid/z.gif", "Restore/RestoreTXT.log", "sub/up.lnk@"};
    const auto none = [](FakeHost &, const TempFolder &) {};
    const struct {
        const char *what;
        QStringList names;
        bool subfolders, hidden;
        std::function<void(FakeHost &, const TempFolder &)> during;
        int files, folders, yields;
        const char *types, *summary;
    } cases[] = {
        {"the folder alone", mixed, false, false, none, 5, 2, 9, "TXT", "共有 5 个文件及 1 种文件类型"},
        {"hidden too", mixed, false, true, none, 6, 3, 11, "CFG,TXT", "共有 6 个文件及 2 种文件类型"},
        {"sub-folders too", mixed, true, false, none, 9, 3, 24, "JPG,LNK,LOG,TXT", "共有 9 个文件和 3 个文件夹及 4 种文件类型"},
        {"everything", mixed, true, true, none, 12, 4, 31, "CFG,GIF,JPG,LNK,LOG,PNG,TXT",
         "共有 12 个文件和 4 个文件夹及 7 种文件类型"},
        {"types sorted case-blind, each code point upper-cased alone",
         {"1.zip", "2.doc", "3._x", "4.straße", "5.𐐨", "6.7z", "7.Zip"}, false, false, none, 7, 0, 9,
         "7Z,_X,DOC,STRAßE,ZIP,𐐀", "共有 7 个文件及 6 种文件类型"},
        // ".", "..", gone and kept are listed; the next yield is the one after the folder.
        {"a folder gone before it is walked yields nothing", {"gone/lost.gif", "kept/found.png"}, true, false,
         [](FakeHost &h, const TempFolder &tree) {
             if (h.yields == 5)
                 QDir(tree.file("gone")).removeRecursively();
         },
         1, 2, 10, "PNG", "共有 1 个文件和 2 个文件夹及 1 种文件类型"},
        // The root yields five times; the sixth is inside the first sub-folder.
        {"switches changed during the walk", {"one/.seen.txt", "one/deep/a.txt", "two/.seen.txt", "two/deep/a.txt"},
         true, true,
         [](FakeHost &h, const TempFolder &) {
             h.job.IncludeHidden = false;
             if (h.yields == 6)
                 h.job.IncludeSubfolders = false;
         },
         1, 3, 9, "TXT", "共有 1 个文件及 1 种文件类型"},
        {"nothing at all", {}, false, false, none, 0, 0, 2, "", "共有 0 个文件及 0 种文件类型"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder tree;
        for (const QString &name : c.names)
            name.endsWith(u'@') ? void(QFile::link("..", tree.file(name.chopped(1)))) : tree.write(name);
        FakeHost host;
        host.startEnabled = false;
        host.job.IncludeSubfolders = c.subfolders;
        host.job.IncludeHidden = c.hidden;
        host.onYield = [&](FakeHost &h) { c.during(h, tree); };
        const SurveyResult result = SurveyFolder(host, tree.path());
        // The yields count "." and ".." too.
        EXPECT_EQ(std::tuple(result.fileCount, result.folderCount, host.yields, result.sortedTypes.join(u','),
                             rememberedFolder(), host.startEnabled),
                  std::tuple(c.files, c.folders, c.yields, QString::fromUtf8(c.types), tree.path(), true));
        QStringList counting;
        for (int n = 1; n <= c.files; ++n)
            counting << QString::fromUtf8("正在统计第 %1 个文件").arg(n);
        EXPECT_EQ(host.statuses, counting << QString::fromUtf8(c.summary));
    }
    qunsetenv("XDG_CONFIG_HOME");
}

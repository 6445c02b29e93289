// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Names and trees people do not expect: each is run, then restored, and no
// file may be lost or left under another name.
#include "RunFixture.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <unistd.h>

using namespace quorin;
using namespace quorin::test;

namespace {

struct BadInput {
    const char *what;
    std::function<void()> setUp;
    qint64 done;
    qint64 passedOver;
};

class BadInputs : public RunFixture {
protected:
    void makeFile(const QString &relative) { dir.write("src/" + relative, relative.toUtf8()); }
    void resetJob()
    {
        host.job = RenameJob();
        host.job.SourceFolder = host.job.DestinationFolder = src();
        host.job.FileType = "JPG";
        host.job.NumberStyle = "001";
        host.job.AddText = "p";
        host.job.placement = Placement::Prefix;
    }
};

// A relative folder path of exactly `length` bytes, ending in "/".
QString deepFolder(int length)
{
    QString path;
    for (; length > 201; length -= 201)
        path += QString(200, u'd') + u'/';
    return path + QString(length - 1, u'e') + u'/';
}

} // namespace

TEST_F(BadInputs, eachIsRunAndRestored_andNothingIsLost)
{
    const BadInput cases[] = {
        {"a 255-byte name that would grow past 255 bytes", [this] { makeFile(QString(251, u'a') + ".jpg"); }, 0, 1},
        {"emoji, full-width letters and spaces at both ends",
         [this] { makeFile(QString::fromUtf8(" 😀照片ＡＢＣ .jpg")); }, 1, 0},
        {"\\, : and * in a name", [this] { makeFile("a\\b:c*.jpg"); }, 1, 0},
        {"a path near PATH_MAX that would grow past it",
         [this] {
             // The old path is 4,093 bytes; the new one would pass the 4,095 a path may hold.
             makeFile(deepFolder(4093 - int(src().toUtf8().size()) - 1 - 5) + "x.jpg");
             host.job.IncludeSubfolders = true;
         },
         0, 1},
        {"a symbolic link to its own folder",
         [this] {
             ASSERT_EQ(::symlink(".", dir.file("src/loop.jpg").toUtf8().constData()), 0);
             host.job.IncludeSubfolders = true;
         },
         1, 0},
        {"a destination inside the source, moving with sub-folders",
         [this] {
             makeFile("a.jpg");
             makeFile("sub/b.jpg");
             dir.makeFolder("src/out");
             host.job.IncludeSubfolders = true;
             host.job.MoveToDestination = true;
             host.job.DestinationFolder = dir.file("src/out");
         },
         2, 0},
    };
    for (const BadInput &c : cases) {
        SCOPED_TRACE(c.what);
        c.setUp();
        const auto before = snapshot(src());
        const RunReport report = run();
        EXPECT_EQ(report.ending, RunReport::Ending::Completed);
        EXPECT_EQ(report.done, c.done);
        EXPECT_EQ(report.passedOver, c.passedOver);
        EXPECT_TRUE(restore(report.logPath).everyFileRestored()) << host.lastBox()->prompt.toStdString();
        EXPECT_EQ(snapshot(src()), before);
        QDir(src()).removeRecursively();
        dir.makeFolder("src");
        resetJob();
    }
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Names and trees people do not expect: each is run, then restored, and no
// file may be lost or left under another name.
#include "RunFixture.h"

#include <fcntl.h>
#include <unistd.h>

using namespace quorin;
using namespace quorin::test;

using BadInputs = RunFixture;

namespace {

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
    const auto withSubfolders = [this] { host.job.IncludeSubfolders = true; };
    // The old path is 4,092 bytes; the new one, 4,096, is one more than a path may hold.
    const QString nearPathMax = deepFolder(4092 - int(src().toUtf8().size()) - 1 - 5) + "x.jpg";
    roundTrips({
        {"a 255-byte name that would grow past 255 bytes", {QString(251, u'a') + ".jpg"}, {}, {0, 1, 0}},
        {"emoji, full-width letters and spaces at both ends", {QString::fromUtf8(" 😀照片ＡＢＣ .jpg")}, {}, {1, 0, 0}},
        {"\\, : and * in a name", {"a\\b:c*.jpg"}, {}, {1, 0, 0}},
        {"a path near PATH_MAX that would grow past it", {nearPathMax}, withSubfolders, {0, 1, 0}},
        {"a symbolic link to its own folder", {},
         [&] {
             ASSERT_EQ(::symlink(".", dir.file("src/loop.jpg").toUtf8().constData()), 0);
             withSubfolders();
         },
         {1, 0, 0}},
        {"a destination inside the source, moving with sub-folders", {"a.jpg", "sub/b.jpg"},
         [&] {
             withSubfolders();
             sendInto(dir.file("src/out"), false);
         },
         {2, 0, 0}},
        {"names a line-based log cannot hold: a line break, bytes outside UTF-8", {"good.jpg", "line\nbreak.jpg"},
         [this] {
             close(open(((src() + "/bad\xff").toUtf8() + QByteArray("\xfe.jpg")).constData(), O_CREAT | O_WRONLY, 0644));
         },
         {1, 0, 2}},
        {"the text changed mid-run to hold a slash", {"a.jpg", "b.jpg", "c.jpg"},
         [this] {
             host.onYield = [](FakeHost &h) {
                 if (h.inPass(progress::Planning) && h.progressCount == 1)
                     h.job.AddText = "x/";
             };
         },
         {1, 0, 2}},
    });
}

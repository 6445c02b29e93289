// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Each folder of src/ may include only folders that stand earlier in this
// list; folders on one rank know nothing of each other.
const QList<QStringList> Layers = {
    {"platform"}, {"options"}, {"engine"}, {"log", "folders"}, {"run"}, {"cli"}, {"ui"},
};

int rankOf(const QString &folder)
{
    for (int rank = 0; rank < Layers.size(); ++rank)
        if (Layers[rank].contains(folder))
            return rank;
    return -1;
}

} // namespace

TEST(Layers, everyIncludePointsDown)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s+"([^/"]+)/)"),
                                            QRegularExpression::MultilineOption);
    const QString root = QStringLiteral(QUORIN_SOURCE_DIR "/src/");
    QDirIterator folders(root, QDir::Dirs | QDir::NoDotAndDotDot);
    while (folders.hasNext())
        EXPECT_GE(rankOf(folders.next().section(u'/', -1)), 0) << "a folder with no layer: " << folders.filePath().toStdString();
    for (QDirIterator files(root, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories); files.hasNext();) {
        QFile file(files.next());
        const QString folder = files.filePath().mid(root.size()).section(u'/', 0, 0);
        SCOPED_TRACE(files.filePath().toStdString());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        for (auto match = include.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(target == folder || (rankOf(target) >= 0 && rankOf(target) < rankOf(folder)))
                << "includes " << target.toStdString();
        }
    }
}

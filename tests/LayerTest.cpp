// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Each folder of src/ may include only folders of a lower rank; folders of one
// rank know nothing of each other.
const QHash<QString, int> Rank = {
    {"platform", 0}, {"options", 1}, {"engine", 2}, {"log", 3}, {"folders", 3}, {"run", 4}, {"cli", 5}, {"ui", 6},
};

int rankOf(const QString &folder) { return Rank.value(folder, -1); }

} // namespace

TEST(Layers, everyIncludePointsDown)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s+"([^/"]+)/)"),
                                            QRegularExpression::MultilineOption);
    const QString root = QStringLiteral(QUORIN_SOURCE_DIR "/src/");
    for (QDirIterator folders(root, QDir::Dirs | QDir::NoDotAndDotDot); folders.hasNext();)
        EXPECT_GE(rankOf(folders.next().section(u'/', -1)), 0)
            << "a folder with no layer: " << folders.filePath().toStdString();
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

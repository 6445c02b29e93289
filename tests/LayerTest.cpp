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

QStringList includesThatPointUpOrSideways(const QString &root)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s+"([^/"]+)/)"),
                                            QRegularExpression::MultilineOption);
    QStringList wrong;
    QDirIterator files(root, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString folder = path.mid(root.size() + 1).section(u'/', 0, 0);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {path + QStringLiteral(": unreadable")};
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = include.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            if (target != folder && (rankOf(target) < 0 || rankOf(target) >= rankOf(folder)))
                wrong << path.mid(root.size() + 1) + QStringLiteral(" includes ") + target;
        }
    }
    return wrong;
}

} // namespace

TEST(Layers, everyIncludePointsDown)
{
    const QString root = QStringLiteral(QUORIN_SOURCE_DIR "/src");
    QDirIterator folders(root, QDir::Dirs | QDir::NoDotAndDotDot);
    while (folders.hasNext())
        EXPECT_GE(rankOf(folders.next().section(u'/', -1)), 0) << "a folder with no layer: " << folders.filePath().toStdString();
    EXPECT_EQ(includesThatPointUpOrSideways(root).join(u'\n').toStdString(), "");
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FuzzInput.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace quorin::fuzz {

QString scratchFolder()
{
    static const QString folder = [] {
        const QString base = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString path = base + QStringLiteral("/quorin-fuzz-") + QString::number(getpid());
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

QString writeFile(const QString &name, QByteArrayView bytes)
{
    const QString path = scratchFolder() + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
        require(false, "cannot write the input file");
    return path;
}

QList<QByteArray> fields(const uint8_t *data, size_t size, int count)
{
    QList<QByteArray> parts = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    while (parts.size() < count)
        parts << QByteArray();
    return parts;
}

void require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

} // namespace quorin::fuzz

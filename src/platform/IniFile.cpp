// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "IniFile.h"

#include "FileOperations.h"
#include "FolderListing.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cstdio>

namespace quorin {

namespace {

struct IniLine final {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QString name;
    QByteArrayView value;
};

IniLine parseLine(QByteArrayView line)
{
    line = line.trimmed();
    if (line.startsWith('[')) {
        const qsizetype close = line.indexOf(']');
        const QByteArrayView name = line.sliced(1, (close < 0 ? line.size() : close) - 1);
        return {IniLine::Section, QString::fromUtf8(name.trimmed()), {}};
    }
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return {};
    return {IniLine::Key, QString::fromUtf8(line.first(equals).trimmed()), line.sliced(equals + 1).trimmed()};
}

bool sameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

struct Location final {
    qsizetype key = -1;
    // Where a missing key goes: after the section's last key; -1 without the section.
    qsizetype insertAt = -1;
};

// Only the first section of the name counts, and its first line of the key.
Location locate(const QList<QByteArray> &lines, const QString &section, const QString &key)
{
    Location at;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const IniLine line = parseLine(lines[i]);
        if (line.kind == IniLine::Section) {
            if (at.insertAt >= 0)
                break;
            if (sameName(line.name, section))
                at.insertAt = i + 1;
        } else if (line.kind == IniLine::Key && at.insertAt >= 0) {
            at.insertAt = i + 1;
            if (sameName(line.name, key))
                return {i, at.insertAt};
        }
    }
    return at;
}

// Lines are kept as bytes so that a rewrite gives back every line it does not
// change exactly as it was, whatever its encoding.
QList<QByteArray> splitLines(QByteArray content)
{
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    QList<QByteArray> lines = content.split('\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Written whole under a new name, then renamed over the old file, so that a
// reader finds the old file or the new one, never half of one. Not synced:
// the sync would wait for everything else the file system has yet to write
// (a survey of a freshly unpacked tree would wait on the whole tree), and a
// crash can only cost the latest value of the program's own setting.
void replaceWhole(const QString &file, const QByteArray &content)
{
    const QString temporary = QFileInfo(file).absolutePath() + u'/' + temporaryName();
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return;
    const bool written = out.write(content) == content.size() && out.flush();
    out.close();
    if (!written || std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(file).constData()) != 0)
        QFile::remove(temporary);
}

} // namespace

QString ReadIniValue(const QString &file, const QString &section, const QString &key)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = splitLines(in.readAll());
    const Location at = locate(lines, section, key);
    // A folder's name may start with U+FEFF, which a plain decoding would drop.
    return at.key < 0 ? QString() : nameFromBytes(parseLine(lines[at.key]).value);
}

void WriteIniValue(const QString &file, const QString &section, const QString &key,
                   const QString &value)
{
    if (value.contains(u'\n') || value.contains(u'\r'))
        return;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly) && in.exists())
        return;
    const QByteArray content = in.isOpen() ? in.readAll() : QByteArray();
    // New lines follow the file's own line ends.
    const QByteArray cr = content.contains("\r\n") ? "\r" : "";
    QList<QByteArray> lines = splitLines(content);
    const QByteArray keyLine = key.toUtf8() + '=' + value.toUtf8() + cr;
    const Location at = locate(lines, section, key);
    if (at.key >= 0)
        lines[at.key] = keyLine;
    else if (at.insertAt >= 0)
        lines.insert(at.insertAt, keyLine);
    else
        lines << '[' + section.toUtf8() + ']' + cr << keyLine;

    QDir().mkpath(QFileInfo(file).absolutePath());
    replaceWhole(file, lines.join('\n') + '\n');
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "FileTypeList.h"

#include <QVarLengthArray>

#include <algorithm>

namespace quorin {

namespace {

// Most files bring a type already in the list, so the upper-cased text is
// built on the stack and becomes a QString only when it is new.
using TypeText = QVarLengthArray<char16_t, 32>;

// One code point at a time with its simple mapping: a full mapping would turn
// "ß" into "SS" and so make a type that no file name ends with.
void upperCase(QStringView text, TypeText &upper)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const auto units = QChar::fromUcs4(QChar::toUpper(codePoint));
        upper.append(units.begin(), units.size());
    }
}

} // namespace

void AddFileType(FileTypeList &types, const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0 || dot + 1 == name.size())
        return;
    TypeText type;
    upperCase(QStringView(name).sliced(dot + 1), type);
    const QStringView text(type.constData(), type.size());
    if (!types.contains(text))
        types.append(text.toString());
}

QStringList sortedFileTypes(const FileTypeList &types)
{
    QStringList sorted = types;
    // Distinct types can still be equal case-blind (the Kelvin sign folds to
    // "k"); breaking such ties exactly keeps the order independent of the
    // order the listing delivered the files in.
    std::sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) {
        const int blind = QString::compare(a, b, Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a < b;
    });
    return sorted;
}

} // namespace quorin

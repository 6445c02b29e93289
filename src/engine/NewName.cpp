// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "NewName.h"

#include "ValidateJob.h"

#include <algorithm>
#include <optional>
#include <string>

namespace quorin {
namespace {

using Text = std::u32string;

Text codePoints(const QString &text) { return text.toStdU32String(); }
QString fromCodePoints(const Text &text) { return QString::fromStdU32String(text); }

char32_t previousCodePoint(const QString &text, qsizetype &index)
{
    const QChar low = text.at(--index);
    if (low.isLowSurrogate() && index > 0 && text.at(index - 1).isHighSurrogate())
        return QChar::surrogateToUcs4(text.at(--index), low);
    return low.unicode();
}

// The old name split at a fixed place from its end: the type, one character
// taken as the dot, and the rest. No dot is looked for.
struct SplitName {
    Text whole;
    Text base;
    Text extensionPart;
};

SplitName split(const RenameJob &job, const QString &oldName)
{
    SplitName name{codePoints(oldName), {}, {}};
    const auto typeLength = Text::size_type(codePoints(job.FileType).size());
    name.base = name.whole.substr(0, name.whole.size() - typeLength - 1);
    name.extensionPart = job.ChangeExtension ? codePoints(QLatin1Char('.') + job.NewExtension)
                                             : name.whole.substr(name.whole.size() - typeLength - 1);
    return name;
}

std::optional<Text> classicName(const RenameJob &job, const SplitName &name, NameCounters &counters)
{
    ++counters.PlannedCount;
    const Text number = codePoints(FormatSequenceNumber(++counters.SequenceNumber, job.NumberStyle));
    const Text added = codePoints(job.AddText);
    switch (job.placement) {
    case Placement::Prefix: return added + number + name.base + name.extensionPart;
    case Placement::Suffix: return name.base + added + number + name.extensionPart;
    case Placement::None: break;
    }
    return added + number + name.extensionPart;
}

std::optional<Text> advancedName(const NameEdit &edit, const SplitName &name, NameCounters &counters)
{
    const Text &base = name.base;
    switch (edit.Kind) {
    case NameEditKind::Replace: {
        const Text find = codePoints(edit.FindText);
        const auto at = base.size() >= find.size() ? base.find(find) : Text::npos;
        if (at == Text::npos)
            return {};
        ++counters.PlannedCount;
        return codePoints(ReplaceAt(fromCodePoints(base), edit.ReplaceText, int(at) + 1, int(find.size())))
               + name.extensionPart;
    }
    case NameEditKind::DeleteMatch: {
        const Text text = codePoints(edit.DeleteText);
        const auto at = base.size() > text.size() ? base.find(text) : Text::npos;
        if (at == Text::npos)
            return {};
        ++counters.PlannedCount;
        return codePoints(DeleteAt(fromCodePoints(base), edit.DeleteText, int(at) + 1)) + name.extensionPart;
    }
    case NameEditKind::Add:
        ++counters.PlannedCount;
        if (edit.InsertAtFront)
            return codePoints(edit.InsertText) + name.whole;
        return base + codePoints(edit.InsertText) + name.extensionPart;
    case NameEditKind::DeleteCount: {
        const int count = edit.CharsToDelete();
        if (qsizetype(base.size()) <= count)
            return {};
        ++counters.PlannedCount;
        // A count of zero or below deletes nothing.
        const auto cut = Text::size_type(std::max(count, 0));
        if (edit.DeleteAtFront)
            return name.whole.substr(cut);
        return base.substr(0, base.size() - cut) + name.extensionPart;
    }
    case NameEditKind::None:
        break;
    }
    return {};
}

// A log holds one path per line, so a path with a line break in it cannot be
// recorded, and its file is never renamed.
bool fitsInLog(const QString &path)
{
    return !path.contains(u'\r') && !path.contains(u'\n');
}

// The start checks saw the texts the user typed, but a text changed during
// the run is read again here. Whatever the file's old name holds (a tab, say)
// is kept: it came from the file system.
bool typedTextsFit(const RenameJob &job)
{
    if (job.ChangeExtension && !fitsInFileName(job.NewExtension))
        return false;
    if (!job.AdvancedEdit)
        return fitsInFileName(job.AddText);
    switch (job.Edit.Kind) {
    case NameEditKind::Replace: return fitsInFileName(job.Edit.ReplaceText);
    case NameEditKind::Add: return fitsInFileName(job.Edit.InsertText);
    default: return true;
    }
}

} // namespace

Composition ComposeNewName(const RenameJob &job, const QString &scannedFolder, const QString &oldName,
                           NameCounters &counters)
{
    if (!hasFileType(oldName, job.FileType) || codePoints(oldName).size() <= codePoints(job.FileType).size())
        return {};
    NameCounters next = counters;
    const SplitName name = split(job, oldName);
    const std::optional<Text> newName =
        job.AdvancedEdit ? advancedName(job.Edit, name, next) : classicName(job, name, next);
    if (!newName)
        return {};
    Composition result{NameOutcome::Planned,
                       {scannedFolder + oldName, job.targetFolder(scannedFolder) + fromCodePoints(*newName)}};
    if (!typedTextsFit(job) || !fitsInLog(result.rename.OldPath) || !fitsInLog(result.rename.NewPath))
        return {NameOutcome::Unsafe, {}};
    counters = next;
    return result;
}

QString FormatSequenceNumber(int number, const QString &numberStyle)
{
    QString text = QString::number(number);
    if (numberStyle.startsWith(u"001"))
        text = QString(qMax(0, 3 - text.size()), u'0') + text;
    return numberStyle.endsWith(u'_') ? text + u'_' : text;
}

QString ReplaceAt(const QString &name, const QString &replacement, int position, int length)
{
    const Text whole = codePoints(name);
    const auto before = Text::size_type(position - 1);
    return fromCodePoints(whole.substr(0, before)) + replacement
           + fromCodePoints(whole.substr(std::min(whole.size(), before + Text::size_type(length))));
}

QString DeleteAt(const QString &name, const QString &found, int position)
{
    return ReplaceAt(name, QString(), position, int(codePoints(found).size()));
}

bool hasFileType(const QString &name, const QString &fileType)
{
    qsizetype inName = name.size();
    qsizetype inType = fileType.size();
    while (inType > 0) {
        if (inName == 0)
            return false;
        if (QChar::toUpper(previousCodePoint(name, inName)) != previousCodePoint(fileType, inType))
            return false;
    }
    return true;
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Any old name under any settings and edit: a new name, when there is one,
// lies in the target folder and is a single name a log can hold.
#include "FuzzInput.h"

#include "engine/NewName.h"

using namespace quorin;
using namespace quorin::fuzz;

namespace {

RenameJob jobFrom(const QList<QByteArray> &f)
{
    const auto text = [&](int i) { return QString::fromUtf8(f[i]); };
    const quint8 flags = f[0].isEmpty() ? 0 : quint8(f[0][0]);
    RenameJob job;
    job.FileType = text(1).toUpper();
    job.NumberStyle = QStringList{"001", "001_", "1", "1_"}[flags & 3];
    job.placement = Placement((flags >> 2) % 3);
    job.DropOldName = flags & 0x10;
    job.ChangeExtension = flags & 0x20;
    job.AdvancedEdit = flags & 0x40;
    job.ContinuousNumbering = flags & 0x80;
    job.AddText = text(2);
    job.NewExtension = text(3);
    job.Edit.Kind = NameEditKind((f[0].size() > 1 ? quint8(f[0][1]) : 0) % 5);
    job.Edit.FindText = job.Edit.DeleteText = text(4);
    job.Edit.ReplaceText = job.Edit.InsertText = text(5);
    job.Edit.DeleteCountText = text(6);
    job.Edit.InsertAtFront = job.Edit.DeleteAtFront = flags & 0x08;
    job.SourceFolder = job.DestinationFolder = QStringLiteral("/src/");
    return job;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> f = fields(data, size, 8);
    const RenameJob job = jobFrom(f);
    const QString oldName = QString::fromUtf8(f[7]);
    // A listing never gives "/" in a name, nor "." or "..", and a run never
    // starts without a type.
    if (oldName.contains(u'/') || oldName == u"." || oldName == u".." || job.FileType.isEmpty()
        || !hasFileType(oldName, job.FileType))
        return 0;
    NameCounters counters;
    const Composition c = ComposeNewName(job, QStringLiteral("/src/"), oldName, counters);
    if (c.outcome != NameOutcome::Planned)
        return 0;
    require(c.rename.OldPath == QStringLiteral("/src/") + oldName, "the old path is the file's own");
    require(c.rename.NewPath.startsWith(QStringLiteral("/src/")), "the new name lies in the target folder");
    const QString newName = c.rename.NewPath.mid(5);
    require(!newName.isEmpty() && !newName.contains(u'/'), "the new name is one name");
    require(!c.rename.NewPath.contains(u'\n') && !c.rename.NewPath.contains(u'\r'), "a log can hold it");
    return 0;
}

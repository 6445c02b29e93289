// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "ExecutionOrder.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"

namespace quorin {
namespace {

enum class Mark : quint8 { Waiting, OnPath, HandedOut };
constexpr quint32 None = NameIndex::None;

} // namespace

ExecutionOrder::ExecutionOrder(const QString &folder, SortedFolderListing &listing)
    : folder_(folder), listing_(listing)
{
    positions_.reserve(listing.size());
    newEnds_.reserve(listing.size());
    newTexts_.reserve(listing.nameBytes());
}

bool ExecutionOrder::canChain(const QString &folder, const QString &targetFolder)
{
    if (folder == targetFolder)
        return true;
    const FileIdentity target = identityOf(targetFolder);
    return target.valid && target == identityOf(folder);
}

bool ExecutionOrder::add(quint32 oldPosition, const PlannedRename &rename)
{
    const qsizetype slash = rename.NewPath.lastIndexOf(u'/') + 1;
    if (!started_) {
        started_ = true;
        target_ = rename.NewPath.left(slash);
        targetIsFolder_ = canChain(folder_, target_);
    }
    // A new path in another folder is no old path of this one.
    if (!targetIsFolder_ || QStringView(rename.NewPath).left(slash) != target_)
        return false;
    const QByteArray name = rename.NewPath.mid(slash).toUtf8();
    if (!listing_.holds(name))
        return false;
    newTexts_ += name;
    positions_.push_back(oldPosition);
    newEnds_.push_back(newTexts_.size());
    return true;
}

QByteArrayView ExecutionOrder::newText(quint32 record) const
{
    const qsizetype start = record == 0 ? 0 : newEnds_[record - 1];
    return QByteArrayView(newTexts_).sliced(start, newEnds_[record] - start);
}

PlannedRename ExecutionOrder::rename(quint32 record) const
{
    return {folder_ + nameFromBytes(oldName(record)), target_ + nameFromBytes(newText(record))};
}

QByteArrayView ExecutionOrder::oldName(quint32 record) const
{
    return listing_.nameAt(positions_[record]);
}

// The record that still holds this record's new name, if any.
quint32 ExecutionOrder::waitsFor(quint32 record) const
{
    const quint32 holder = index_.find(newText(record), [this](quint32 r) { return oldName(r); });
    return holder == record ? None : holder;
}

// Each record waits for at most one other, the one holding its new name. From
// each record in plan order the chain of holders is followed to its end and
// handed out from there back. A chain that closes on itself cannot be ordered:
// its records are handed out as met, and each finds its new name taken.
bool ExecutionOrder::handOut(const std::function<bool(const PlannedRename &)> &take)
{
    index_.build(quint32(positions_.size()), [this](quint32 r) { return oldName(r); });
    std::vector<Mark> marks(positions_.size(), Mark::Waiting);
    std::vector<quint32> path;
    for (quint32 first = 0; first < positions_.size(); ++first) {
        for (quint32 record = first; record != None && marks[record] == Mark::Waiting; record = waitsFor(record)) {
            marks[record] = Mark::OnPath;
            path.push_back(record);
        }
        for (; !path.empty(); path.pop_back()) {
            marks[path.back()] = Mark::HandedOut;
            if (!take(rename(path.back())))
                return false;
        }
    }
    return true;
}

} // namespace quorin

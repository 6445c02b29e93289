// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "engine/PlannedRename.h"

#include "platform/NameIndex.h"
#include "platform/SortedFolderListing.h"

#include <QByteArray>

#include <functional>
#include <vector>

namespace quorin {

// The planned renames of one folder whose new names are names the folder
// holds, kept until the folder has been planned and then handed out in the
// order they are carried out: a record whose new path is the old path of
// another record goes after that record, however long the chain, since a
// rename never replaces a file. Otherwise plan order is kept. A record whose
// new name no entry of the folder holds waits for nothing and is not kept.
//
// Memory per kept record is its place in the folder's listing, its new name as
// UTF-8 and an entry of an open-addressing index from old names to records;
// the old names themselves stay in the listing.
class ExecutionOrder final {
public:
    // folder: the listed folder's path. The listing's size bounds the records,
    // whose room is taken at once rather than doubled as they come.
    ExecutionOrder(const QString &folder, SortedFolderListing &listing);
    Q_DISABLE_COPY_MOVE(ExecutionOrder)

    // Only a folder whose files are renamed into that same folder can hold a
    // chain; the files of any other are best handed out as they are planned.
    static bool canChain(const QString &folder, const QString &targetFolder);

    // Keeps the rename of the listing's entry at oldPosition if it has to wait;
    // false when it can be carried out at once.
    bool add(quint32 oldPosition, const PlannedRename &rename);
    bool isEmpty() const { return positions_.empty(); }
    // Hands out every record in order until take answers false; false then.
    bool handOut(const std::function<bool(const PlannedRename &)> &take);

private:
    QByteArrayView newText(quint32 record) const;
    PlannedRename rename(quint32 record) const;
    QByteArrayView oldName(quint32 record) const;
    quint32 waitsFor(quint32 record) const;

    const QString folder_;
    SortedFolderListing &listing_;
    bool started_ = false;
    // The folder the first new path is in; only renames into it, when it is
    // the listed folder, can wait.
    QString target_;
    bool targetIsFolder_ = false;
    std::vector<quint32> positions_;
    std::vector<qsizetype> newEnds_;
    QByteArray newTexts_;
    NameIndex index_;
};

} // namespace quorin

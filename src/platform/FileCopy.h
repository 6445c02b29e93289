// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>

#include <functional>

namespace quorin {

// A copy written whole under a new hidden name in its target's folder
// (".quorin-" and six letters or digits), not yet under its name. A regular
// file stays open and locked (flock) until then, so a hidden file nobody holds
// is one whose writer is gone.
struct StagedCopy final {
    QByteArray temporary;
    QByteArray target;
    int fd = -1;
    qint64 size = 0;
};

// Copies a file, or a symbolic link as a link, under a hidden name beside the
// target; a taken target is found before any byte is copied. A durable copy is
// on the disk before this returns. Mode and times are kept where the target's
// file system can keep them. Returns 0 or an errno; a copy that failed leaves
// nothing behind.
int stageCopy(const QByteArray &from, const QByteArray &to, bool durable, StagedCopy &staged);

// Gives a staged copy its name without replacing, or removes it when that
// fails. Returns 0, an errno or NameNotHeld.
int placeCopy(StagedCopy &staged);

// Stages and places at once: the target's name only ever holds a whole copy,
// and a copy cut short leaves at most its hidden file. beforePlacing runs once
// the copy is whole, just before it takes its name.
int copyIntoPlace(const QByteArray &from, const QByteArray &to, bool durable,
                  const std::function<void()> &beforePlacing = {});

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "TempFolder.h"

#include <QString>

namespace quorin::test {

enum class CardFormat { Fat, ExFat };

// A small FAT or exFAT image mounted through FUSE, as a memory card is: FAT
// through fusefat (made by dosfstools), exFAT through a loop device and
// exfat-fuse (made by exfatprogs). Needs root. Unmounted when it goes.
class MemoryCard final {
public:
    MemoryCard(const TempFolder &dir, CardFormat format);
    ~MemoryCard();
    Q_DISABLE_COPY_MOVE(MemoryCard)

    bool mounted() const { return problem_.isEmpty(); }
    // Why the card could not be mounted here: the step that failed.
    QString problem() const { return problem_; }
    // The card's root, ending in "/".
    QString root() const { return root_; }

private:
    bool step(const QString &command);

    QString root_;
    QString loopDevice_;
    bool fuseMounted_ = false;
    QString problem_;
};

const char *formatName(CardFormat format);

} // namespace quorin::test

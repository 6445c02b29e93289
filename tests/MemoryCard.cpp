// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "MemoryCard.h"

namespace quorin::test {

MemoryCard::MemoryCard(const TempFolder &dir, CardFormat format) : root_(dir.file("card/"))
{
    const QString image = dir.file("card.img");
    dir.makeFolder("card");
    if (!runningAsRoot()) {
        problem_ = QStringLiteral("mounting a card image needs root");
        return;
    }
    if (!step(QStringLiteral("truncate -s 8M '%1'").arg(image)))
        return;
    if (format == CardFormat::Fat) {
        fuseMounted_ = step(QStringLiteral("mkfs.vfat '%1'").arg(image))
                       && step(QStringLiteral("fusefat -o rw+ '%1' '%2'").arg(image, root_));
        return;
    }
    if (!step(QStringLiteral("mkfs.exfat '%1'").arg(image)))
        return;
    int status = -1;
    loopDevice_ = QString::fromUtf8(shell(QStringLiteral("losetup -f --show '%1'").arg(image), &status)).trimmed();
    if (status != 0 || loopDevice_.isEmpty()) {
        loopDevice_.clear();
        problem_ = QStringLiteral("no loop device for the exFAT image");
        return;
    }
    fuseMounted_ = step(QStringLiteral("mount.exfat-fuse '%1' '%2'").arg(loopDevice_, root_));
}

MemoryCard::~MemoryCard()
{
    if (fuseMounted_)
        shell(QStringLiteral("umount '%1'").arg(root_));
    if (!loopDevice_.isEmpty())
        shell(QStringLiteral("losetup -d '%1'").arg(loopDevice_));
}

bool MemoryCard::step(const QString &command)
{
    int status = -1;
    shell(command + QStringLiteral(" >/dev/null 2>&1"), &status);
    if (status != 0)
        problem_ = command + QStringLiteral(" failed");
    return status == 0;
}

const char *formatName(CardFormat format) { return format == CardFormat::Fat ? "FAT" : "exFAT"; }

} // namespace quorin::test

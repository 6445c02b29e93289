// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "engine/NewName.h"

#include <functional>
#include <gtest/gtest.h>

using namespace quorin;

namespace {

// A classic job, or with a kind an advanced one.
RenameJob photos(NameEditKind kind = NameEditKind::None)
{
    RenameJob job;
    job.SourceFolder = job.DestinationFolder = "/p/";
    job.FileType = "JPG";
    job.NumberStyle = "001_";
    job.AddText = "trip";
    job.placement = Placement::Prefix;
    job.AdvancedEdit = kind != NameEditKind::None;
    job.Edit.Kind = kind;
    return job;
}

} // namespace

TEST(NewNames, workedExamples)
{
    const struct {
        const char *what;
        std::function<RenameJob()> job;
        const char *oldName;
        const char *newName; // nullptr: left alone
    } cases[] = {
        {"prefix", [] { return photos(); }, "IMG_2041.JPG", "trip005_IMG_2041.JPG"},
        {"suffix", [] { auto j = photos(); j.placement = Placement::Suffix; return j; }, "IMG_2041.JPG", "IMG_2041trip005_.JPG"},
        {"old name dropped", [] { auto j = photos(); j.placement = Placement::None; j.DropOldName = true; return j; }, "IMG_2041.JPG", "trip005_.JPG"},
        {"type keeps its case", [] { return photos(); }, "a.jpg", "trip005_a.jpg"},
        {"changed extension", [] { auto j = photos(); j.ChangeExtension = true; j.NewExtension = "png"; return j; }, "a.jpg", "trip005_a.png"},
        {"dot typed in extension", [] { auto j = photos(); j.ChangeExtension = true; j.NewExtension = ".png"; return j; }, "a.jpg", "trip005_a..png"},
        {"type PG in photo.jpg", [] { auto j = photos(); j.FileType = "PG"; j.placement = Placement::Suffix; return j; }, "photo.jpg", "photo.trip005_jpg"},
        {"whole name is the type", [] { return photos(); }, "JPG", nullptr},
        {"other type", [] { return photos(); }, "a.png", nullptr},
        {"replace first only", [] { auto j = photos(NameEditKind::Replace); j.Edit.FindText = "IMG"; j.Edit.ReplaceText = "DSC"; return j; }, "IMG_IMG.jpg", "DSC_IMG.jpg"},
        {"replace is case-sensitive", [] { auto j = photos(NameEditKind::Replace); j.Edit.FindText = "IMG"; j.Edit.ReplaceText = "DSC"; return j; }, "img_1.jpg", nullptr},
        {"replace empty find", [] { auto j = photos(NameEditKind::Replace); j.Edit.ReplaceText = "new"; return j; }, "a.jpg", "newa.jpg"},
        {"replace whole base", [] { auto j = photos(NameEditKind::Replace); j.Edit.FindText = "abc"; return j; }, "abc.jpg", ".jpg"},
        {"delete text equal to base", [] { auto j = photos(NameEditKind::DeleteMatch); j.Edit.DeleteText = "copy"; j.FileType = "TXT"; return j; }, "copy.txt", nullptr},
        {"delete text", [] { auto j = photos(NameEditKind::DeleteMatch); j.Edit.DeleteText = "copy"; j.FileType = "TXT"; return j; }, "copy1.txt", "1.txt"},
        {"delete 3 at front", [] { auto j = photos(NameEditKind::DeleteCount); j.Edit.DeleteCountText = "3"; j.FileType = "TXT"; return j; }, "abcdef.txt", "def.txt"},
        {"delete 3 at end", [] { auto j = photos(NameEditKind::DeleteCount); j.Edit.DeleteCountText = "3"; j.Edit.DeleteAtFront = false; j.FileType = "TXT"; return j; }, "abcdef.txt", "abc.txt"},
        {"delete 6 does not fit", [] { auto j = photos(NameEditKind::DeleteCount); j.Edit.DeleteCountText = "6"; j.FileType = "TXT"; return j; }, "abcdef.txt", nullptr},
        {"delete -3 deletes nothing", [] { auto j = photos(NameEditKind::DeleteCount); j.Edit.DeleteCountText = "-3"; j.FileType = "TXT"; return j; }, "abc.txt", "abc.txt"},
        {"add in front keeps old extension", [] { auto j = photos(NameEditKind::Add); j.Edit.InsertText = "new_"; j.ChangeExtension = true; j.NewExtension = "png"; return j; }, "a.jpg", "new_a.jpg"},
        {"add behind", [] { auto j = photos(NameEditKind::Add); j.Edit.InsertText = "new_"; j.Edit.InsertAtFront = false; j.ChangeExtension = true; j.NewExtension = "png"; return j; }, "a.jpg", "anew_.png"},
        {"empty new extension", [] { auto j = photos(NameEditKind::Add); j.Edit.InsertText = "x"; j.Edit.InsertAtFront = false; j.ChangeExtension = true; return j; }, "a.jpg", "ax."},
        {"emoji counts as one character", [] { auto j = photos(NameEditKind::DeleteCount); j.Edit.DeleteCountText = "1"; return j; }, "🎉写真.jpg", "写真.jpg"},
        {"upper-cased per code point", [] { auto j = photos(); j.FileType = "ÄÖ"; return j; }, "x.äö", "trip005_x.äö"},
        {"slash in text mid-run", [] { auto j = photos(); j.AddText = "a/b"; return j; }, "a.jpg", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        NameCounters counters{4, 4};
        const Composition result = ComposeNewName(c.job(), "/p/", QString::fromUtf8(c.oldName), counters);
        EXPECT_EQ(result.outcome == NameOutcome::Planned, c.newName != nullptr);
        EXPECT_EQ(counters.PlannedCount, c.newName ? 5 : 4);
        if (c.newName) {
            EXPECT_EQ(result.rename.OldPath, QStringLiteral("/p/") + QString::fromUtf8(c.oldName));
            EXPECT_EQ(result.rename.NewPath, QStringLiteral("/p/") + QString::fromUtf8(c.newName));
        }
    }
    // Sequence numbers on their own, in each style.
    const struct { int n; const char *style, *text; } numbers[] = {
        {7, "001", "007"}, {9, "001", "009"}, {10, "001", "010"}, {42, "001", "042"}, {99, "001", "099"},
        {100, "001", "100"}, {1000, "001", "1000"}, {1234, "001_", "1234_"}, {5, "001_", "005_"},
        {7, "1", "7"}, {7, "1_", "7_"}, {12, "1", "12"},
    };
    for (const auto &c : numbers)
        EXPECT_EQ(FormatSequenceNumber(c.n, c.style), QString::fromUtf8(c.text)) << c.n << c.style;
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "options/NameEdit.h"

#include <limits>

#include <gtest/gtest.h>

using namespace quorin;

TEST(DeleteCount, readsTypedTextsAsTheDialogShowsThem)
{
    const struct { const char *text; double reading; int chars; } cases[] = {
        {"5", 5, 5}, {"12", 12, 12}, {" 5", 5, 5}, {"5 ", 5, 5}, {"\t5", 5, 5}, {"5a", 5, 5},
        {"-3", -3, -3}, {"+4", 4, 4}, {".5", 0.5, 0}, {"7.", 7, 7}, {"a5", 0, 0}, {"0", 0, 0},
        {"00", 0, 0}, {"-", 0, 0}, {"&H", 0, 0}, {"", 0, 0}, {"1.5", 1.5, 2}, {"2.5", 2.5, 2},
        {"1 2", 12, 12}, {"1.2.3", 1.2, 1}, {"--", 0, 0},
        {"99999999999999999999", 1e20, std::numeric_limits<int>::max()},
        {"-99999999999999999999", -1e20, std::numeric_limits<int>::min()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(ReadDeleteCount(QString::fromUtf8(c.text)), c.reading);
        NameEdit edit;
        edit.DeleteCountText = QString::fromUtf8(c.text);
        EXPECT_EQ(edit.CharsToDelete(), c.chars);
    }
}

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "platform/NameOrder.h"

#include <QString>

#include <gtest/gtest.h>

using namespace quorin;

TEST(NameOrder, namesSortAsPeopleReadThem_theSameEitherWayRound)
{
    const struct { const char *first, *second, *why; } earlierFirst[] = {
        {"IMG_0001.JPG", "IMG_0002.JPG", "same width"},
        {"IMG_2.JPG", "IMG_10.JPG", "digit runs by value"},
        {"a2b", "a10a", "a smaller run decides before what follows"},
        {"x7", "x007a", "leading zeros dropped"},
        {"007.jpg", "7.jpg", "equal values are told apart by the exact name"},
        {"12345678901234567890", "123456789012345678901", "runs longer than any integer, by length"},
        {"99999999999999999998", "99999999999999999999", "then digit by digit"},
        {"a.jpg", "B.jpg", "case is ignored"},
        {"B.jpg", "b.jpg", "ties by the exact name: B before b"},
        {"x-1", "x1", "a run against a character below the digits"},
        {"x1", "x_1", "a run against a character above the digits"},
        {"abc", "abcd", "a name before its longer self"},
        {"Éa", "éb", "lower-casing beyond ASCII"},
        {"σ1", "Σ2", "Greek"},
        {"丁b", "中a", "three-byte characters by their whole code point"},
        {"😀b", "😁a", "four-byte ones too"},
        {"¡b", "¢a", "the first two-byte lead"},
        {"\u07FEb", "\u07FFa", "the last two-byte lead"},
        {"\u0900b", "\u0901a", "the first three-byte lead"},
        {"ａb", "ｂa", "the last three-byte lead"},
        {"\U00100000b", "\U00100001a", "the last four-byte lead"},
        {"照片2", "照片10", "digits after Chinese"},
        {"a.jpg", "\xEF\xBB\xBF" "a.jpg", "a leading U+FEFF is a character like any other"},
        {"z", "\xFF", "a byte outside UTF-8 after every character"},
        {"\xFE", "\xFF", "two such bytes by value"},
    };
    for (const auto &c : earlierFirst) {
        SCOPED_TRACE(std::string(c.first) + " < " + c.second + ": " + c.why);
        EXPECT_LT(compareNames(c.first, c.second), 0);
        EXPECT_GT(compareNames(c.second, c.first), 0);
        EXPECT_EQ(compareNames(c.first, c.first), 0);
    }
}

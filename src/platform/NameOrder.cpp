// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "NameOrder.h"

#include <QChar>

#include <cstring>

namespace quorin {
namespace {

// A byte outside valid UTF-8 is read as one character above every code point.
constexpr char32_t StrayByte = 0x110000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

class NameCursor final {
public:
    explicit NameCursor(QByteArrayView name)
        : at_(reinterpret_cast<const unsigned char *>(name.data())), end_(at_ + name.size())
    {
    }

    bool atEnd() const { return at_ == end_; }
    bool atDigit() const { return !atEnd() && isDigit(char(*at_)); }

    char32_t takeLowered()
    {
        const unsigned char lead = *at_;
        if (lead < 0x80) {
            ++at_;
            return lead >= 'A' && lead <= 'Z' ? lead + ('a' - 'A') : lead;
        }
        const char32_t decoded = takeMultiByte(lead);
        return decoded == StrayByte ? decoded : QChar::toLower(decoded);
    }

    // The digits of the run that starts here, without its leading zeros.
    QByteArrayView takeDigitRun()
    {
        while (at_ != end_ && *at_ == '0')
            ++at_;
        const unsigned char *start = at_;
        while (at_ != end_ && isDigit(char(*at_)))
            ++at_;
        return QByteArrayView(start, at_ - start);
    }

private:
    char32_t takeMultiByte(unsigned char lead)
    {
        const int follow = lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2
                         : lead >= 0xF0 && lead <= 0xF4 ? 3 : 0;
        char32_t cp = lead & (0x3F >> follow);
        if (follow == 0 || end_ - at_ <= follow) {
            ++at_;
            return StrayByte;
        }
        for (int i = 1; i <= follow; ++i) {
            if ((at_[i] & 0xC0) != 0x80) {
                ++at_;
                return StrayByte;
            }
            cp = (cp << 6) | (at_[i] & 0x3F);
        }
        at_ += follow + 1;
        return cp;
    }

    const unsigned char *at_;
    const unsigned char *end_;
};

int sign(qsizetype difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

int compareDigitRuns(QByteArrayView first, QByteArrayView second)
{
    if (first.size() != second.size())
        return sign(first.size() - second.size());
    return first.isEmpty() ? 0 : sign(std::memcmp(first.data(), second.data(), size_t(first.size())));
}

int compareAsPeopleRead(QByteArrayView first, QByteArrayView second)
{
    NameCursor a(first), b(second);
    while (!a.atEnd() && !b.atEnd()) {
        if (a.atDigit() && b.atDigit()) {
            if (const int order = compareDigitRuns(a.takeDigitRun(), b.takeDigitRun()))
                return order;
            continue;
        }
        // A digit run met by anything else is decided by its first digit.
        const char32_t x = a.takeLowered(), y = b.takeLowered();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return int(!a.atEnd()) - int(!b.atEnd());
}

// UTF-8 bytes in order are code points in order.
int compareExactly(QByteArrayView first, QByteArrayView second)
{
    const qsizetype common = qMin(first.size(), second.size());
    if (const int order = common ? std::memcmp(first.data(), second.data(), size_t(common)) : 0)
        return sign(order);
    return sign(first.size() - second.size());
}

} // namespace

int compareNames(QByteArrayView first, QByteArrayView second)
{
    if (const int order = compareAsPeopleRead(first, second))
        return order;
    return compareExactly(first, second);
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "NameEdit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorin {

QString nameEditCaption(NameEditKind kind)
{
    switch (kind) {
    case NameEditKind::Replace: return QStringLiteral("替换指定字符");
    case NameEditKind::DeleteMatch: return QStringLiteral("删除指定字符");
    case NameEditKind::Add: return QStringLiteral("添加指定字符");
    case NameEditKind::DeleteCount: return QStringLiteral("删除指定字符个数");
    case NameEditKind::None: break;
    }
    return QString();
}

double ReadDeleteCount(const QString &text)
{
    QString number;
    bool sawPoint = false;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t')
            continue;
        const bool sign = (c == u'+' || c == u'-') && number.isEmpty();
        const bool point = c == u'.' && !sawPoint;
        if (!sign && !point && !(c >= u'0' && c <= u'9'))
            break;
        sawPoint = sawPoint || point;
        number += c;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
}

int NameEdit::CharsToDelete() const
{
    // Halves go to the even neighbour: 0.5 gives 0, 1.5 and 2.5 give 2. A count
    // beyond what any name holds is held to the largest one an int can take.
    const double rounded = std::nearbyint(ReadDeleteCount(DeleteCountText));
    return int(std::clamp<double>(rounded, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace quorin

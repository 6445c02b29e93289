// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>

namespace quorin {

// Wherever the kind is tested, it is tested in this order and the first that
// holds decides.
enum class NameEditKind { None, Replace, DeleteMatch, Add, DeleteCount };

QString nameEditCaption(NameEditKind kind);

// The one advanced edit a run applies to every name. All four parameter sets
// live side by side; only the chosen kind's are used. Texts stay as typed.
struct NameEdit final {
    NameEditKind Kind = NameEditKind::None;
    QString FindText;
    QString ReplaceText;
    QString DeleteText;
    QString InsertText;
    bool InsertAtFront = true;
    QString DeleteCountText;
    bool DeleteAtFront = true;

    int CharsToDelete() const;
};

// The numeric reading of a typed count: blanks and tabs are ignored, then an
// optional sign and digits with at most one decimal point; it stops at the first
// character that cannot continue the number, and without a digit it is 0.
double ReadDeleteCount(const QString &text);

} // namespace quorin

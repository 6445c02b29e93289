// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArrayView>

namespace quorin {

// The order in which people expect the files of a folder: IMG_2.JPG before
// IMG_10.JPG, a.jpg beside A.jpg. Runs of ASCII digits compare by value (leading
// zeros dropped, then by length, then digit by digit); other characters compare
// after simple lower-casing; a digit run against any other character by its
// first digit. Names equal so far are told apart by their exact characters.
// The same on every machine, whatever the locale.
//
// Names are the bytes the file system holds (UTF-8); a byte that is not part of
// valid UTF-8 sorts after every character. Negative, zero or positive, as
// first sorts before, the same as, or after second.
int compareNames(QByteArrayView first, QByteArrayView second);

} // namespace quorin

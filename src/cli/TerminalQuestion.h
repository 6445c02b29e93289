// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QByteArray>

namespace quorin::cli {

// Prints a question and reads its answer from standard input, which is a
// terminal: yes only for "y" or "yes" in any case. An empty line, Ctrl+C and
// the end of input answer no; Ctrl+C is caught before the question shows, so
// one typed at once is never lost.
bool askYes(const QByteArray &question);

} // namespace quorin::cli

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

namespace quorin::cli {

// Reads the answer to a question already printed, from standard input, which
// is a terminal: yes only for "y" or "yes" in any case. An empty line, Ctrl+C
// and the end of input answer no.
bool readYes();

} // namespace quorin::cli

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
//
// Any typed count: read as a number, then as the characters to delete.
#include "FuzzInput.h"

#include "options/NameEdit.h"

#include <cmath>

using namespace quorin;
using namespace quorin::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    NameEdit edit;
    edit.DeleteCountText = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double count = ReadDeleteCount(edit.DeleteCountText);
    require(!std::isnan(count), "a count is a number");
    edit.CharsToDelete();
    return 0;
}

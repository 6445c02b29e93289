// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "NameEdit.h"
#include "platform/MessageBox.h"

#include <optional>

namespace quorin {

// What the options dialog refuses on 确定: the chosen kind's texts or count
// missing, or no kind chosen at all. Only the chosen kind is looked at.
std::optional<MessageBox> NameEditRefusal(const NameEdit &edit);

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "NameEditRules.h"

namespace quorin {

std::optional<MessageBox> NameEditRefusal(const NameEdit &edit)
{
    switch (edit.Kind) {
    case NameEditKind::Replace:
        if (edit.FindText.isEmpty())
            return refusal(QStringLiteral("你没有输入要替换的字符！"), QStringLiteral("替换选项"));
        if (edit.ReplaceText.isEmpty())
            return refusal(QStringLiteral("你没有输入替换成什么字符！"), QStringLiteral("替换选项"));
        return {};
    case NameEditKind::DeleteMatch:
        if (edit.DeleteText.isEmpty())
            return refusal(QStringLiteral("请输入要删除的字符！"), QStringLiteral("删除选项"));
        return {};
    case NameEditKind::Add:
        if (edit.InsertText.isEmpty())
            return refusal(QStringLiteral("请输入文件名中要添加的字符！"), QStringLiteral("添加选项"));
        return {};
    case NameEditKind::DeleteCount:
        if (edit.DeleteCountText.isEmpty() || ReadDeleteCount(edit.DeleteCountText) == 0)
            return refusal(QStringLiteral("请正确输入要删除字符的个数，只能是数字！"), QStringLiteral("删除字符个数选项"));
        return {};
    case NameEditKind::None:
        break;
    }
    return refusal(QStringLiteral("你没有选择任何选项！请选择其中的一项，或按“取消”按钮！"), QStringLiteral("警告"));
}

} // namespace quorin

// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include <QString>

namespace quorin {

enum class MessageIcon { Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageBox final {
    QString prompt;
    QString title;
    MessageIcon icon = MessageIcon::Exclamation;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultButton = MessageAnswer::Ok;
};

// A refused setting: exclamation icon, one OK button.
inline MessageBox refusal(const QString &prompt, const QString &title)
{
    return {prompt, title, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

// Whoever shows the program's modal message boxes: the window, the command
// line, or a test that answers from a script.
class MessagePrompter {
public:
    virtual ~MessagePrompter() = default;
    virtual MessageAnswer showMessage(const MessageBox &box) = 0;
};

} // namespace quorin

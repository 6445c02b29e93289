// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#pragma once

#include "platform/MessageBox.h"

#include <QList>

namespace quorin::test {

// Records every box shown and answers from a script; an unscripted box gets
// its default button.
class ScriptedPrompter : public MessagePrompter {
public:
    MessageAnswer showMessage(const MessageBox &box) override
    {
        shown.append(box);
        return answers.isEmpty() ? box.defaultButton : answers.takeFirst();
    }

    QList<MessageBox> shown;
    QList<MessageAnswer> answers;
};

} // namespace quorin::test

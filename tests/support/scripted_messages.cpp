#include "tests/support/scripted_messages.h"

namespace dentivel::test {

MessageAnswer ScriptedMessageService::showMessage(const QString& prompt, MessageIcon icon,
                                                  MessageButtons buttons, const QString& title)
{
    shown.push_back({prompt, title, icon, buttons});
    if (onShow)
        onShow();
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

} // namespace dentivel::test

#pragma once

#include "shell/failure.h"

#include <QString>

#include <utility>

namespace dentivel {

enum class MessageIcon { Information, Exclamation, Critical };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// A message box's fixed wording: every box of the program passes its own title.
struct MessageText {
    QString prompt;
    QString title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

// The only way handlers talk to the user. Modal: returns once the user has
// dismissed the box, with the button pressed.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer showMessage(const QString& prompt, MessageIcon icon,
                                      MessageButtons buttons, const QString& title) = 0;

    MessageAnswer show(const MessageText& text)
    {
        return showMessage(text.prompt, text.icon, text.buttons, text.title);
    }
};

// The trap a calculator arms before reading its inputs. Empty inputs read as
// 0, so a 0/0 (Overflow) is how missing input shows itself: only that code
// brings up the window's complaint; other failures end the handler quietly.
// The body returns the failure that stopped it, or FailureCode::None.
class ErrorTrap {
public:
    ErrorTrap(MessageService& messages, MessageText missingData)
        : m_messages(messages), m_missingData(std::move(missingData))
    {
    }

    template <typename Body> FailureCode run(Body&& body)
    {
        const FailureCode code = std::forward<Body>(body)();
        if (code == FailureCode::Overflow)
            m_messages.show(m_missingData);
        return code;
    }

private:
    MessageService& m_messages;
    MessageText m_missingData;
};

} // namespace dentivel

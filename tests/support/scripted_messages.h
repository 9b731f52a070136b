#pragma once

#include "message_service.h"

#include <QLocale>
#include <QString>

#include <deque>
#include <vector>

namespace dentivel::test {

// The two locales every calculation is checked under.
inline const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
inline const QLocale kFrench(QLocale::French, QLocale::France);

struct ShownMessage {
    QString prompt;
    QString title;
    MessageIcon icon;
    MessageButtons buttons;
};

// Records every box a handler shows and answers from a script; an empty
// script answers OK, or No to a question.
class ScriptedMessageService final : public MessageService {
public:
    MessageAnswer showMessage(const QString& prompt, MessageIcon icon, MessageButtons buttons,
                              const QString& title) override;

    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers;
};

} // namespace dentivel::test

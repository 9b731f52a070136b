#pragma once

#include "shell/message_service.h"

#include <QLocale>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace dentivel::test {

// The two locales every calculation is checked under.
inline const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
inline const QLocale kFrench(QLocale::French, QLocale::France);

// What a calculation's label shows in a table of expected results; a label
// the calculation leaves as it was reads as kUnchanged.
inline const QString kUnchanged = QStringLiteral("(unchanged)");
inline QString labelText(const std::optional<QString>& label)
{
    return label.value_or(kUnchanged);
}

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
    // Called while each box is up, to see what the window shows behind it.
    std::function<void()> onShow;
};

} // namespace dentivel::test

#pragma once

#include "shell/message_service.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace dentivel {

// The texts of the climbing-speed inputs at the moment of the click.
struct ClimbingSpeedInputs {
    QString elevation; // Combo5, metres gained per hour
    QString gradient;  // Combo4, percent
};

struct ClimbingSpeedOutcome {
    // Label4: unchanged when empty; an empty text clears it.
    std::optional<QString> speed;
    // The walking-pace warning, shown once Label4 shows the speed it is about.
    std::optional<MessageText> warning;
};

// Speed along the road at a sustainable rate of ascent. Asks before very
// steep gradients; missing input surfaces as a 0/0 and brings the window's
// complaint, other failures end the calculation quietly.
ClimbingSpeedOutcome computeClimbingSpeed(const ClimbingSpeedInputs& inputs, const QLocale& locale,
                                          MessageService& messages);

} // namespace dentivel

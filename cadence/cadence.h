#pragma once

#include "shell/message_service.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace dentivel {

// The texts of the cadence inputs at the moment of the click.
struct CadenceInputs {
    QString speed;     // Text1, km/h
    QString chainring; // Combo1, teeth
    QString sprocket;  // Combo3, teeth
};

struct CadenceOutcome {
    std::optional<QString> heading; // Label5
    std::optional<QString> cadence; // Label6
    // A too high or too low cadence, shown once the labels show it.
    std::optional<MessageText> warning;
};

// The pedalling cadence a speed demands with a gear, on 2.1 m per unit of
// gear ratio. A speed of 0 (or none) and a 0/0 bring the window's complaint;
// a gear with one side missing ends the calculation quietly.
CadenceOutcome computeCadence(const CadenceInputs& inputs, const QLocale& locale,
                              MessageService& messages);

} // namespace dentivel

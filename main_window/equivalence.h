#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace dentivel {

class MessageService;

// The texts of the equivalence inputs at the moment of the click.
struct EquivalenceInputs {
    QString chainring1; // Combo1, P1
    QString sprocket1;  // Combo3, S1
    QString chainring2; // Combo2, P2
};

// What the result labels become; an empty optional leaves a label as it was.
struct EquivalenceLabels {
    std::optional<QString> sprocket;    // Label7, S2
    std::optional<QString> development; // Label6, metres
};

// Which sprocket on P2 gives the development of P1 x S1, and that gear's
// development. Missing input is reported through the message service; a
// calculation that fails part way keeps what it had already written and
// shows nothing.
EquivalenceLabels computeEquivalence(const EquivalenceInputs& inputs, const QLocale& locale,
                                     MessageService& messages);

} // namespace dentivel

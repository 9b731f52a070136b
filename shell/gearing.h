#pragma once

namespace dentivel {

// Metres one pedal turn carries the bicycle for a gear ratio of 1, on 700
// wheels: a gear's development is chainring / sprocket times this. There is
// no wheel setting, so every calculation and the printed table share it.
inline constexpr double kMetresPerTurn = 2.1;

} // namespace dentivel

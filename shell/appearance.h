#pragma once

class QWidget;

namespace dentivel {

// The windows are designed for "MS Sans Serif" and "Arial". Neither exists on
// a usual Linux desktop, and fontconfig's own pick for the first is a much
// wider face that clips captions in fixed-size controls; both map to a sans
// with Arial's metrics instead.
void installFontSubstitutes();

// First position of the windows that open in the middle of the screen.
void centreOnScreen(QWidget* window);

} // namespace dentivel

#pragma once

namespace dentivel {

// The windows' colours were chosen together, the light ground and black text
// of Qt's own palette with the fixed grounds and figures of the design (the
// table's white and cyan rows, the warning's red, the blue results). A dark
// desktop theme hands Qt its own colours, and the windows would mix them
// with the fixed ones: light figures on the white rows, black and blue texts
// on dark grey. The program keeps Qt's light palette whatever the theme,
// application-wide so that message boxes and tooltips match, and on Qt 6.8
// asks the platform for its light scheme too, which Windows' native title
// bars and Windows 11 style follow. The desktop's style and fonts stay.
// Called once the application object exists, before any window is made.
void useDesignPalette();

} // namespace dentivel

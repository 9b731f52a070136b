#pragma once

#include <QString>

namespace dentivel {

enum class ButtonStyle { Button, Separator };

// One button of a window's toolbar, as the window's design lists it. A
// separator has no key, caption, tip or image.
struct ToolbarButton {
    QString Key;         // what the window's click handler dispatches on
    QString Caption;     // shown under the image; empty shows the image alone
    QString ToolTipText; // empty shows no tip at all
    QString Image;       // key into the window's image list
    ButtonStyle Style = ButtonStyle::Button;
};

} // namespace dentivel

#include "shell/design_palette.h"

#include <QApplication>
#include <QPalette>
#include <QStyleHints>
#include <QToolTip>

namespace dentivel {

namespace {

// Qt's light palette, as its platforms give it when no desktop theme speaks
// (Fusion's colours): what the windows are laid out and tested with. The
// style's standardPalette() cannot be used instead, since Fusion's follows a
// dark desktop too. Every role is set: a role left out would be filled in
// from the desktop's palette.
QPalette lightPalette()
{
    const QColor face(239, 239, 239);
    const QColor dark = face.darker(150);
    const QColor mid = face.darker(130);
    const QColor shadow = dark.darker(135);
    const QColor highlight(48, 140, 198);
    QPalette palette(Qt::black, face, face.lighter(150), dark, mid, Qt::black, Qt::white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Shadow, shadow);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    palette.setColor(QPalette::Accent, highlight);
    palette.setColor(QPalette::Disabled, QPalette::Accent, QColor(145, 145, 145));
#endif
    const QColor disabledText(190, 190, 190);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);
    palette.setColor(QPalette::PlaceholderText, placeholder);
    return palette;
}

} // namespace

void useDesignPalette()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Before the palette: where the platform honours it, it sends its own
    // light colours at once, which the palette below then replaces.
    QGuiApplication::styleHints()->setColorScheme(Qt::ColorScheme::Light);
#endif
    // Replaces the palettes the theme gave to single widget classes as well.
    const QPalette palette = lightPalette();
    QApplication::setPalette(palette);
    QToolTip::setPalette(palette);
}

} // namespace dentivel

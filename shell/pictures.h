#pragma once

#include "resources/picture_sizes.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace dentivel {

// The program's pictures are drawn as SVG where Qt's SVG module is at hand.
// Where it is not (the Windows build), each was rendered to PNG when the
// program was built, at the size it is shown at and at twice that size for
// high-density screens: "name.png" and "name@2x.png" beside "name.svg".
// Those sizes are set in resources/CMakeLists.txt, which writes them into
// resources/picture_sizes.h for the windows.
bool drawsSvg();

// The picture at a size in device-independent pixels, sharp on a screen of
// the given pixel ratio. A picture named by its SVG path is drawn from it, or
// read from its rendition for 1x or, on any denser screen, 2x; any other
// file is read and scaled. Pixels of the see-through colour become
// transparent. A null image, with a warning, when the picture cannot be read.
QImage picture(const QString& path, QSize size, qreal pixelRatio,
               std::optional<QColor> seeThrough = std::nullopt);

} // namespace dentivel

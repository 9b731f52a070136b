#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace dentivel {

// The program's pictures are drawn as SVG where Qt's SVG module is at hand.
// Where it is not (the Windows build), each was rendered to PNG when the
// program was built, at its size in the windows and at twice that size for
// high-density screens: "name.png" and "name@2x.png" beside "name.svg".
bool drawsSvg();

// The file to read for a picture named by its SVG path, at scale 1 or 2.
QString pictureFile(const QString& svgPath, int scale);

// The picture at a size in device-independent pixels, sharp on a screen of
// the given pixel ratio.
QPixmap picture(const QString& svgPath, QSize size, qreal pixelRatio);

} // namespace dentivel

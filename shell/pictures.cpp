#include "shell/pictures.h"

#include <QImageReader>
#include <QPainter>

#ifdef DENTIVEL_HAVE_SVG
#include <QSvgRenderer>
#endif

namespace dentivel {

namespace {

// The format pixmaps and the build's renditions are painted in, so that a
// picture drawn here matches its rendition pixel for pixel.
constexpr QImage::Format kFormat = QImage::Format_ARGB32_Premultiplied;

bool isSvg(const QString& path)
{
    return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive);
}

#ifdef DENTIVEL_HAVE_SVG
QImage drawing(const QString& path, QSize pixels)
{
    // The renderer says itself why a drawing cannot be read.
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QImage image(pixels, kFormat);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}
#endif

// An SVG's stand-in is its rendition made at build time for the ratio, or
// for the next one up.
QImage bitmap(const QString& path, qreal pixelRatio)
{
    QString file = path;
    if (isSvg(path))
        file = path.chopped(4) + QLatin1String(pixelRatio > 1 ? "@2x.png" : ".png");
    const QImage image = QImageReader(file).read().convertToFormat(kFormat);
    // A picture left out of the build shows as an empty place.
    if (image.isNull())
        qWarning("Cannot read the picture %s", qPrintable(path));
    return image;
}

void clearColour(QImage& image, QColor colour)
{
    const QRgb cleared = colour.rgba();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == cleared)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
}

} // namespace

bool drawsSvg()
{
#ifdef DENTIVEL_HAVE_SVG
    return true;
#else
    return false;
#endif
}

QImage picture(const QString& path, QSize size, qreal pixelRatio, std::optional<QColor> seeThrough)
{
    const QSize pixels = size * pixelRatio;
#ifdef DENTIVEL_HAVE_SVG
    QImage image = isSvg(path) ? drawing(path, pixels) : bitmap(path, pixelRatio);
#else
    QImage image = bitmap(path, pixelRatio);
#endif
    if (image.isNull())
        return {};
    // The colour goes before scaling, or its blend with the drawing would stay.
    if (seeThrough)
        clearColour(image, *seeThrough);
    // A drawing is at its size already, and stays as it is.
    image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

} // namespace dentivel

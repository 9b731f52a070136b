#include "shell/pictures.h"

#include <QIcon>
#include <QPainter>

#ifdef DENTIVEL_HAVE_SVG
#include <QSvgRenderer>
#endif

namespace dentivel {

bool drawsSvg()
{
#ifdef DENTIVEL_HAVE_SVG
    return true;
#else
    return false;
#endif
}

QString pictureFile(const QString& svgPath, int scale)
{
    if (drawsSvg() || !svgPath.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return svgPath;
    return svgPath.chopped(4) + (scale > 1 ? QLatin1String("@2x.png") : QLatin1String(".png"));
}

QPixmap picture(const QString& svgPath, QSize size, qreal pixelRatio)
{
#ifdef DENTIVEL_HAVE_SVG
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(svgPath);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
#else
    // QIcon finds the @2x rendition beside the file itself.
    return QIcon(pictureFile(svgPath, 1)).pixmap(size, pixelRatio);
#endif
}

} // namespace dentivel

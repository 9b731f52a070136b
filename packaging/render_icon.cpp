// Renders the program's SVG icon as the PNG sizes desktops still look for
// (menus and docks that cannot draw SVG), so no bitmap is kept by hand.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s icon.svg output-directory name size...\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString root = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int side = QString::fromLocal8Bit(argv[i]).toInt();
        if (side <= 0)
            return 2;
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString directory = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        if (!QDir().mkpath(directory) ||
            !image.save(directory + QLatin1Char('/') + name + ".png")) {
            std::fprintf(stderr, "cannot write the %d pixel icon\n", side);
            return 1;
        }
    }
    return 0;
}

// Renders one of the program's SVG pictures to the bitmaps that cannot be
// drawn from SVG where they are used: PNG icons for the desktops that want
// them, PNG pictures for the build without Qt's SVG module (Windows), and
// the Windows icon file, so that no bitmap is kept by hand.
//
//   dentivel_render picture.svg out.png WIDTHxHEIGHT
//   dentivel_render picture.svg out.ico SIDE...
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>

namespace {

QImage render(QSvgRenderer& renderer, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

QSize parseSize(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool wide = false;
    bool high = false;
    const int width = parts.first().toInt(&wide);
    const int height = parts.size() == 2 ? parts.last().toInt(&high) : width;
    high = parts.size() == 2 ? high : wide;
    // A web app's largest icon is 512 pixels a side.
    if (!wide || !high || parts.size() > 2 || width <= 0 || height <= 0 || width > 512 ||
        height > 512)
        return {};
    return {width, height};
}

void put16(QByteArray& out, int value)
{
    const quint16 little = qToLittleEndian(quint16(value));
    out.append(reinterpret_cast<const char*>(&little), 2);
}

void put32(QByteArray& out, int value)
{
    const quint32 little = qToLittleEndian(quint32(value));
    out.append(reinterpret_cast<const char*>(&little), 4);
}

// An icon file whose images are PNG streams, which Windows reads since Vista.
QByteArray iconFile(QSvgRenderer& renderer, const QList<QSize>& sizes)
{
    QList<QByteArray> images;
    for (const QSize size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        render(renderer, size).save(&buffer, "PNG");
        images << png;
    }
    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // an icon, not a cursor
    put16(out, int(sizes.size()));
    qsizetype offset = 6 + 16 * sizes.size();
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        // A side of 256 is written as 0.
        out.append(char(sizes[i].width() & 0xff));
        out.append(char(sizes[i].height() & 0xff));
        out.append(char(0)); // no palette
        out.append(char(0));
        put16(out, 1);  // colour planes
        put16(out, 32); // bits per pixel
        put32(out, int(images[i].size()));
        put32(out, int(offset));
        offset += images[i].size();
    }
    for (const QByteArray& image : images)
        out += image;
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    // The pictures hold no text, so no application object is needed for fonts.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool icon = arguments.size() >= 4 && arguments.at(2).endsWith(QLatin1String(".ico"));
    if (arguments.size() < 4 || (!icon && arguments.size() != 4)) {
        std::fprintf(stderr,
                     "usage: %s picture.svg out.png WIDTHxHEIGHT\n"
                     "       %s picture.svg out.ico SIDE...\n",
                     argv[0], argv[0]);
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    QList<QSize> sizes;
    for (const QString& text : arguments.mid(3)) {
        const QSize size = parseSize(text);
        // An icon file's sides are square and 256 pixels at most.
        if (size.isEmpty() || (icon && (size.width() != size.height() || size.width() > 256))) {
            std::fprintf(stderr, "not a size: %s\n", qPrintable(text));
            return 2;
        }
        sizes << size;
    }
    const QString output = arguments.at(2);
    QFile file(output);
    const QByteArray bytes = icon ? iconFile(renderer, sizes) : QByteArray();
    const bool written = icon ? file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                              : render(renderer, sizes.first()).save(output, "PNG");
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}

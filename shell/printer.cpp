#include "shell/printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QWidget>

#include <algorithm>

#include <memory>

namespace dentivel {

namespace {

std::unique_ptr<QPrinter> openPrinter(const QString& pdfFile)
{
    if (!pdfFile.isEmpty()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
        return printer;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

// Runs one document on a started job; false, with nothing printed, when no
// printer is usable or the job cannot start (a printer gone, paused or
// unwritable).
template <typename Draw> bool printJob(const QString& pdfFile, Draw&& draw)
{
    const std::unique_ptr<QPrinter> printer = openPrinter(pdfFile);
    if (!printer)
        return false;
    QPainter painter;
    if (!painter.begin(printer.get()))
        return false;
    draw(*printer, painter);
    return painter.end();
}

} // namespace

bool QtPrinter::printText(const QString& text, qreal pointSize)
{
    return printJob(m_pdfFile, [&](QPrinter& printer, QPainter& painter) {
        QFont font = painter.font();
        font.setPointSizeF(pointSize);
        painter.setFont(font);

        // The painter's origin is the top left corner of the printable area. A
        // line wider than the page goes on below rather than off the paper.
        const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
        const qreal lineSpacing = QFontMetricsF(font, &printer).lineSpacing();
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        qreal top = 0;
        static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
        for (const QString& line : text.split(lineBreak)) {
            // Blanks at the start of a line indent it and are drawn as they are.
            const QRectF room(0, top, page.width(), page.height());
            const qreal height =
                qMax(lineSpacing, painter.boundingRect(room, flags, line).height());
            if (top > 0 && top + height > page.height()) {
                printer.newPage();
                top = 0;
            }
            painter.drawText(QRectF(0, top, page.width(), height), flags, line);
            top += height;
        }
    });
}

bool QtPrinter::printWindow(QWidget& window)
{
    return printJob(m_pdfFile, [&](QPrinter& printer, QPainter& painter) {
        // Drawn rather than grabbed: texts stay sharp at the printer's resolution.
        const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
        const qreal scale =
            std::min({printer.resolution() / qreal(window.logicalDpiX()),
                      page.width() / window.width(), page.height() / window.height()});
        painter.scale(scale, scale);
        window.render(&painter, QPoint(), QRegion(),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    });
}

} // namespace dentivel

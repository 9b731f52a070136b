#include "shell/browser_printer.h"

#include <QDir>
#include <QFile>

#include <emscripten.h>

namespace dentivel {

namespace {

// A new tab shows the PDF with the browser's own print button. A browser
// that refuses to open one (a pop-up blocker, a phone without a PDF viewer)
// downloads the file instead, so the document is never lost.
EM_JS(void, showPdf, (const char* data, int size), {
    const bytes = HEAPU8.slice(data, data + size);
    const url = URL.createObjectURL(new Blob([bytes], {
        type:
            'application/pdf'
    }));
    if (!window.open(url, '_blank')) {
        const link = document.createElement('a');
        link.href = url;
        link.download = 'dentivel.pdf';
        link.click();
    }
});

QString pdfPath()
{
    return QDir::temp().filePath(QStringLiteral("dentivel-print.pdf"));
}

// The document is written to the page's in-memory file system, then read
// back whole and removed: the browser keeps its own copy.
template <typename Print> bool handOver(Print&& print)
{
    const QString path = pdfPath();
    QtPrinter pdf(path);
    if (!print(pdf))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    file.close();
    file.remove();
    if (bytes.isEmpty())
        return false;
    showPdf(bytes.constData(), int(bytes.size()));
    return true;
}

} // namespace

bool BrowserPrinter::printText(const QString& text, qreal pointSize)
{
    return handOver([&](QtPrinter& pdf) { return pdf.printText(text, pointSize); });
}

bool BrowserPrinter::printWindow(QWidget& window)
{
    return handOver([&](QtPrinter& pdf) { return pdf.printWindow(window); });
}

} // namespace dentivel

#pragma once

#include <QString>

#include <utility>

class QWidget;

namespace dentivel {

// What the windows print on. Every call is one document, ended before the
// call returns, so each print action yields its own job.
class Printer {
public:
    virtual ~Printer() = default;

    // Prints the text at the given size in the printer's own font face; each
    // line break starts a new line at the left margin. False when there is no
    // usable printer: then nothing is printed and the caller shows nothing.
    virtual bool printText(const QString& text, qreal pointSize) = 0;

    // Prints the window as it is drawn on screen, hidden or not, on one page
    // at its size on screen (smaller when it would not fit). False when there
    // is no usable printer.
    virtual bool printWindow(QWidget& window) = 0;
};

// Prints through Qt's print support on the user's default printer, looked up
// at each print so that a printer set up while the program runs is used.
// Built with a file name instead, it writes each document as a PDF file there.
class QtPrinter final : public Printer {
public:
    QtPrinter() = default;
    explicit QtPrinter(QString pdfFile) : m_pdfFile(std::move(pdfFile)) {}

    bool printText(const QString& text, qreal pointSize) override;
    bool printWindow(QWidget& window) override;

    QString pdfFile() const { return m_pdfFile; }

private:
    QString m_pdfFile;
};

} // namespace dentivel

#pragma once

#include "shell/printer.h"

namespace dentivel {

// A page reaches no printer: each document becomes the PDF the desktop
// would print, on the same page size, handed to the browser, which shows it
// to be printed or saved. False, with nothing shown, when the PDF could not
// be written.
class BrowserPrinter final : public Printer {
public:
    bool printText(const QString& text, qreal pointSize) override;
    bool printWindow(QWidget& window) override;
};

} // namespace dentivel

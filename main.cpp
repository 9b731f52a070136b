// Dentivel starts on its splash window; every other window is reached from
// there through the window registry, which also decides when the program ends.
#include "all_windows.h"
#include "shell/appearance.h"
#include "shell/design_palette.h"
#include "shell/desktop_input.h"
#include "shell/printer.h"
#include "shell/qt_message_service.h"
#include "shell/version.h"
#include "shell/window_registry.h"
#include "table/calculator_launch.h"

#ifdef Q_OS_WASM
#include "shell/browser_printer.h"

#include <emscripten.h>
#else
#include "table/program_launcher.h"
#endif

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dentivel"));
    QApplication::setApplicationVersion(QString::fromLatin1(dentivel::kVersion));
    // Lets the desktop match the windows with the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.dentivel.Dentivel"));
    // The registry ends the program itself, once no window is left open.
    QApplication::setQuitOnLastWindowClosed(false);
    dentivel::installFontSubstitutes();
    // Before any window exists, so that none is ever drawn in a dark theme's colours.
    dentivel::useDesignPalette();
#ifdef Q_OS_WASM
    // The browser's windows are drawn by Qt, title bars and their icon too.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/dentivel.png")));
#endif
    // Without the translation only Qt's own texts stay English.
    dentivel::installToolkitTranslation(app);

    // The platform services outlive the registry and so every window.
    dentivel::QtMessageService messages;
#ifdef Q_OS_WASM
    // A page can start no program: the calculator is never found there.
    dentivel::BrowserPrinter printer;
    const dentivel::CalculatorSetup calculator{};
#else
    dentivel::QtPrinter printer;
    dentivel::QtProgramLauncher launcher;
    const dentivel::CalculatorSetup calculator{&launcher, dentivel::systemCalculatorPaths()};
#endif

#ifdef Q_OS_WASM
    // A page's program ends by handing the page back: Qt's own quit would
    // reach for an event loop the browser has already unwound.
    dentivel::WindowRegistry windows([] { emscripten_force_exit(0); });
#else
    dentivel::WindowRegistry windows([] { QCoreApplication::quit(); });
#endif
    const dentivel::AppServices services{windows, messages, QLocale::system()};
    dentivel::registerAllWindows(services, printer, calculator);

    windows.show(dentivel::WindowName::frmSplash2);
    // In a browser this hands the page back to the browser's own event loop
    // and never returns: everything above stays alive.
    return QApplication::exec();
}

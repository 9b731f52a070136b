// Dentivel starts on its splash window; every other window is reached from
// there through the window registry, which also decides when the program ends.
#include "all_windows.h"
#include "shell/appearance.h"
#include "shell/desktop_input.h"
#include "shell/printer.h"
#include "shell/qt_message_service.h"
#include "shell/version.h"
#include "shell/window_registry.h"
#include "table/calculator_launch.h"
#include "table/program_launcher.h"

#include <QApplication>

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
    // Without the translation only Qt's own texts stay English.
    dentivel::installToolkitTranslation(app);

    // The platform services outlive the registry and so every window.
    dentivel::QtMessageService messages;
    dentivel::QtPrinter printer;
    dentivel::QtProgramLauncher launcher;
    const dentivel::CalculatorSetup calculator{&launcher, dentivel::systemCalculatorPaths()};

    dentivel::WindowRegistry windows([] { QCoreApplication::quit(); });
    const dentivel::AppServices services{windows, messages, QLocale::system()};
    dentivel::registerAllWindows(services, printer, calculator);

    windows.show(dentivel::WindowName::frmSplash2);
    return QApplication::exec();
}

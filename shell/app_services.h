#pragma once

#include <QLatin1String>
#include <QLocale>

namespace dentivel {

class MessageService;
class WindowRegistry;

// What every window is built with. The program passes the user's locale and
// the Qt message boxes; tests pass a locale of their choice and a scripted
// message service.
struct AppServices {
    WindowRegistry& windows;
    MessageService& messages;
    QLocale locale;
};

// The names windows are registered and looked up under.
namespace WindowName {
inline constexpr QLatin1String frmSplash2("frmSplash2");
inline constexpr QLatin1String Formfen("Formfen");
inline constexpr QLatin1String Form1("Form1");
inline constexpr QLatin1String Form2("Form2");
inline constexpr QLatin1String Form3("Form3");
inline constexpr QLatin1String Form4("Form4");
inline constexpr QLatin1String Form5("Form5");
inline constexpr QLatin1String frmAbout("frmAbout");
} // namespace WindowName

} // namespace dentivel

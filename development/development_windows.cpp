#include "development/development_windows.h"

#include "development/form3.h"
#include "shell/window_registry.h"

namespace dentivel {

void registerDevelopmentWindows(const AppServices& services, Printer& printer)
{
    services.windows.registerWindow(WindowName::Form3, [services, &printer] {
        return std::make_unique<Form3>(services, printer);
    });
}

} // namespace dentivel

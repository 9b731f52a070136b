#include "cadence_windows.h"

#include "form4.h"
#include "form5.h"
#include "window_registry.h"

namespace dentivel {

void registerCadenceWindows(const AppServices& services)
{
    services.windows.registerWindow(WindowName::Form4,
                                    [services] { return std::make_unique<Form4>(services); });
    services.windows.registerWindow(WindowName::Form5,
                                    [services] { return std::make_unique<Form5>(services); });
}

} // namespace dentivel

#include "cadence/cadence_windows.h"

#include "cadence/form4.h"
#include "cadence/form5.h"
#include "shell/window_registry.h"

namespace dentivel {

void registerCadenceWindows(const AppServices& services)
{
    services.windows.registerWindow(WindowName::Form4,
                                    [services] { return std::make_unique<Form4>(services); });
    services.windows.registerWindow(WindowName::Form5,
                                    [services] { return std::make_unique<Form5>(services); });
}

} // namespace dentivel

#include "development_windows.h"

#include "window_registry.h"

namespace dentivel {

void registerDevelopmentWindows(const AppServices& services)
{
    (void)services;
}

} // namespace dentivel

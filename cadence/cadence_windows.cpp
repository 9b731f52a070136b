#include "cadence_windows.h"

#include "window_registry.h"

namespace dentivel {

void registerCadenceWindows(const AppServices& services)
{
    (void)services;
}

} // namespace dentivel

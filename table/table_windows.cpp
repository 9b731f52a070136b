#include "table_windows.h"

#include "window_registry.h"

namespace dentivel {

void registerTableWindows(const AppServices& services)
{
    (void)services;
}

} // namespace dentivel

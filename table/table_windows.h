#pragma once

#include "app_services.h"

namespace dentivel {

// Makes the development table window known to the registry.
void registerTableWindows(const AppServices& services);

} // namespace dentivel

#pragma once

#include "app_services.h"

namespace dentivel {

// Makes the development window known to the registry.
void registerDevelopmentWindows(const AppServices& services);

} // namespace dentivel

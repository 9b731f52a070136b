#pragma once

#include "shell/app_services.h"

namespace dentivel {

// Makes the cadence and example windows known to the registry.
void registerCadenceWindows(const AppServices& services);

} // namespace dentivel

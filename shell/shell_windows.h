#pragma once

#include "shell/app_services.h"

namespace dentivel {

// Makes the start-up windows known to the registry.
void registerShellWindows(const AppServices& services);

} // namespace dentivel

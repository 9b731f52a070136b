#pragma once

#include "shell/app_services.h"
#include "table/calculator_launch.h"

namespace dentivel {

// Makes the development table window known to the registry. The calculator
// set-up is read at each click, so it must outlive the registry's windows.
void registerTableWindows(const AppServices& services, const CalculatorSetup& calculator);

} // namespace dentivel

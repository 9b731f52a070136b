#pragma once

#include "shell/app_services.h"

namespace dentivel {

class Printer;
struct CalculatorSetup;

// Makes every window of the program known to the registry: the one place the
// program and its tests compose the subsystems. The printer and the
// calculator set-up must outlive the registry's windows.
void registerAllWindows(const AppServices& services, Printer& printer,
                        const CalculatorSetup& calculator);

} // namespace dentivel

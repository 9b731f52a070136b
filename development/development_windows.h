#pragma once

#include "shell/app_services.h"

namespace dentivel {

class Printer;

// Makes the development window known to the registry. Its printed report goes
// to the printer, which must outlive the registry's windows.
void registerDevelopmentWindows(const AppServices& services, Printer& printer);

} // namespace dentivel

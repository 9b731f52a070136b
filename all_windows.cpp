#include "all_windows.h"

#include "cadence_windows.h"
#include "development_windows.h"
#include "form1.h"
#include "shell_windows.h"
#include "table_windows.h"

namespace dentivel {

void registerAllWindows(const AppServices& services, Printer& printer,
                        const CalculatorSetup& calculator)
{
    registerShellWindows(services);
    registerMainWindow(services, printer);
    registerDevelopmentWindows(services, printer);
    registerCadenceWindows(services);
    registerTableWindows(services, calculator);
}

} // namespace dentivel

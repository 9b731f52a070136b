#include "all_windows.h"

#include "cadence/cadence_windows.h"
#include "development/development_windows.h"
#include "main_window/form1.h"
#include "shell/shell_windows.h"
#include "table/table_windows.h"

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

#include "table/table_windows.h"

#include "shell/window_registry.h"
#include "table/form2.h"

namespace dentivel {

void registerTableWindows(const AppServices& services, const CalculatorSetup& calculator)
{
    services.windows.registerWindow(WindowName::Form2, [services, &calculator] {
        return std::make_unique<Form2>(services, calculator);
    });
}

} // namespace dentivel

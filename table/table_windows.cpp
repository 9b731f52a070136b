#include "table_windows.h"

#include "form2.h"
#include "window_registry.h"

namespace dentivel {

void registerTableWindows(const AppServices& services, const CalculatorSetup& calculator)
{
    services.windows.registerWindow(WindowName::Form2, [services, &calculator] {
        return std::make_unique<Form2>(services, calculator);
    });
}

} // namespace dentivel

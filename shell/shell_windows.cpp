#include "shell/shell_windows.h"

#include "shell/formfen.h"
#include "shell/frmabout.h"
#include "shell/frmsplash2.h"
#include "shell/window_registry.h"

namespace dentivel {

void registerShellWindows(const AppServices& services)
{
    services.windows.registerWindow(WindowName::frmSplash2,
                                    [services] { return std::make_unique<frmSplash2>(services); });
    services.windows.registerWindow(WindowName::Formfen,
                                    [services] { return std::make_unique<Formfen>(services); });
    services.windows.registerWindow(WindowName::frmAbout,
                                    [] { return std::make_unique<frmAbout>(); });
}

} // namespace dentivel

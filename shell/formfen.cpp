#include "shell/formfen.h"

#include "shell/appearance.h"
#include "shell/window_registry.h"
#include "ui_formfen.h"

namespace dentivel {

Formfen::Formfen(AppServices services)
    : ui(std::make_unique<Ui::Formfen>()), m_services(std::move(services))
{
    ui->setupUi(this);
    ui->Command1->setFocus();
    centreOnScreen(this);

    connect(ui->Command1, &QPushButton::clicked, this, [this] {
        // The next window first, so that the program is never left without a
        // window: there the desktop may hand the focus to another program,
        // and Wine on an X display without a window manager waits two
        // seconds for one.
        m_services.windows.show(WindowName::Form1);
        m_services.windows.close(WindowName::Formfen);
    });
    connect(ui->Command2, &QPushButton::clicked, this, [this] { m_services.windows.endProgram(); });
}

Formfen::~Formfen() = default;

} // namespace dentivel

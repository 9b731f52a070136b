#include "cadence/form5.h"

#include "shell/window_registry.h"
#include "ui_form5.h"

namespace dentivel {

Form5::Form5(AppServices services)
    : ui(std::make_unique<Ui::Form5>()), m_services(std::move(services))
{
    ui->setupUi(this);
    ui->Command1->setFocus();
    connect(ui->Command1, &QPushButton::clicked, this,
            [this] { m_services.windows.close(WindowName::Form5); });
}

Form5::~Form5() = default;

} // namespace dentivel

#include "cadence/form4.h"

#include "cadence/cadence.h"
#include "shell/appearance.h"
#include "shell/window_registry.h"
#include "ui_form4.h"

namespace dentivel {

Form4::Form4(AppServices services)
    : ui(std::make_unique<Ui::Form4>()), m_services(std::move(services))
{
    ui->setupUi(this);
    setFixedBorder(this, TitleButtons::Close);
    placeOnScreen(this, 259, 180);
    ui->Text1->setFocus();

    connect(ui->Command1, &QPushButton::clicked, this, &Form4::runCadence);
    connect(ui->Command2, &QPushButton::clicked, this,
            [this] { m_services.windows.close(WindowName::Form4); });
    connect(ui->Command3, &QPushButton::clicked, this,
            [this] { m_services.windows.show(WindowName::Form5); });
}

Form4::~Form4() = default;

void Form4::runCadence()
{
    const CadenceOutcome outcome =
        computeCadence({ui->Text1->text(), ui->Combo1->currentText(), ui->Combo3->currentText()},
                       m_services.locale, m_services.messages);
    if (outcome.heading)
        ui->Label5->setText(*outcome.heading);
    if (outcome.cadence)
        ui->Label6->setText(*outcome.cadence);
    if (outcome.warning)
        m_services.messages.show(*outcome.warning);
}

} // namespace dentivel

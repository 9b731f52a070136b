#include "form1.h"

#include "appearance.h"
#include "equivalence.h"
#include "ui_form1.h"
#include "window_registry.h"

namespace dentivel {

Form1::Form1(AppServices services)
    : ui(std::make_unique<Ui::Form1>()), m_services(std::move(services))
{
    ui->setupUi(this);
    // Fixed border with close and minimise buttons only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    centreOnScreen(this);

    connect(ui->Command1, &QPushButton::clicked, this, &Form1::runEquivalence);
    connect(ui->Command2, &QPushButton::clicked, this,
            [this] { m_services.windows.show(WindowName::Form2); });
}

Form1::~Form1() = default;

void Form1::runEquivalence()
{
    const EquivalenceLabels labels = computeEquivalence(
        {ui->Combo1->currentText(), ui->Combo3->currentText(), ui->Combo2->currentText()},
        m_services.locale, m_services.messages);
    if (labels.sprocket)
        ui->Label7->setText(*labels.sprocket);
    if (labels.development)
        ui->Label6->setText(*labels.development);
}

void registerMainWindow(const AppServices& services)
{
    services.windows.registerWindow(WindowName::Form1,
                                    [services] { return std::make_unique<Form1>(services); });
}

} // namespace dentivel

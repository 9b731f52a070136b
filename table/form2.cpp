#include "form2.h"

#include "appearance.h"
#include "ui_form2.h"
#include "window_registry.h"

namespace dentivel {

Form2::Form2(AppServices services, const CalculatorSetup& calculator)
    : ui(std::make_unique<Ui::Form2>()), m_services(std::move(services)), m_calculator(calculator)
{
    ui->setupUi(this);
    setFixedBorder(this, TitleButtons::Close);
    placeOnScreen(this, 131, 180);

    // The window itself is white, but the header and the row numbers keep the
    // system's face colour, whatever the desktop's theme makes of it.
    const QColor face = palette().color(QPalette::Button);
    for (QLabel* label : {static_cast<QLabel*>(ui->Label43), ui->Label13, ui->Label3, ui->Label1,
                          ui->Label2, ui->Label4, ui->Label5, ui->Label6, ui->Label7, ui->Label8,
                          ui->Label9, ui->Label10, ui->Label11, ui->Label12}) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::Window, face);
        label->setPalette(colours);
        label->setAutoFillBackground(true);
    }

    connect(ui->Command1, &QPushButton::clicked, this, &Form2::startCalculator);
}

Form2::~Form2() = default;

void Form2::startCalculator()
{
    if (launchCalculator(m_calculator, m_services.messages) == CalculatorLaunch::NotFound)
        m_services.windows.close(WindowName::Form2);
}

} // namespace dentivel

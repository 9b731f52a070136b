#include "table/form2.h"

#include "shell/appearance.h"
#include "shell/window_registry.h"
#include "ui_form2.h"

#include <QHideEvent>

namespace dentivel {

Form2::Form2(AppServices services, const CalculatorSetup& calculator)
    : ui(std::make_unique<Ui::Form2>()), m_services(std::move(services)),
      m_calculator(new CalculatorLauncher(calculator, m_services.messages, this))
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

    connect(ui->Command1, &QPushButton::clicked, this, &Form2::searchCalculator);
    connect(m_calculator, &CalculatorLauncher::finished, this, &Form2::calculatorSearched);
}

Form2::~Form2() = default;

void Form2::hideEvent(QHideEvent* event)
{
    // Closed, or put away as the program ends: a search still under way is
    // dropped, so that no calculator starts and no box comes for a window
    // that has gone. A minimised window is hidden by the window system, and
    // keeps its search.
    if (!event->spontaneous())
        m_calculator->cancel();
    QWidget::hideEvent(event);
}

void Form2::searchCalculator()
{
    // Disabled from the notice on: a second press would start a second
    // search, and a second calculator, on top of the first.
    ui->Command1->setEnabled(false);
    m_calculator->launch();
}

void Form2::calculatorSearched(CalculatorLaunch outcome)
{
    if (outcome == CalculatorLaunch::NotFound) {
        m_services.windows.close(WindowName::Form2);
        return;
    }
    ui->Command1->setEnabled(true);
    // Disabling took the focus away, and the button is all there is to have it.
    ui->Command1->setFocus();
}

} // namespace dentivel

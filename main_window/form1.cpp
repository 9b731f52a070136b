#include "form1.h"

#include "appearance.h"
#include "climbing_speed.h"
#include "equivalence.h"
#include "focus_entry.h"
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
    connect(ui->Command3, &QPushButton::clicked, this, &Form1::runClimbingSpeed);
    connect(ui->Command8, &QPushButton::clicked, this,
            [this] { m_services.windows.show(WindowName::Form4); });
    // Going back into either input means a new question: the old speed goes.
    for (QWidget* input : {static_cast<QWidget*>(ui->Combo4), static_cast<QWidget*>(ui->Combo5)})
        onFocusEntered(input, [this] { ui->Label4->clear(); });
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

void Form1::runClimbingSpeed()
{
    const ClimbingSpeedOutcome outcome = computeClimbingSpeed(
        {ui->Combo5->currentText(), ui->Combo4->currentText()}, m_services.locale,
        m_services.messages);
    if (outcome.speed)
        ui->Label4->setText(*outcome.speed);
    if (outcome.warning)
        m_services.messages.show(*outcome.warning);
}

void registerMainWindow(const AppServices& services)
{
    services.windows.registerWindow(WindowName::Form1,
                                    [services] { return std::make_unique<Form1>(services); });
}

} // namespace dentivel

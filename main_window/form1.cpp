#include "main_window/form1.h"

#include "main_window/climbing_speed.h"
#include "main_window/equivalence.h"
#include "main_window/main_toolbar.h"
#include "shell/appearance.h"
#include "shell/focus_entry.h"
#include "shell/printer.h"
#include "shell/window_registry.h"
#include "ui_form1.h"

#include <utility>

namespace dentivel {

ImageList mainToolbarIcons()
{
    ImageList images;
    const std::pair<const char16_t*, const char16_t*> pictures[] = {
        {u"cal2", u":/pictures/toolbar_cal2.svg"},
        {u"vélo", u":/pictures/toolbar_velo.svg"},
        {u"Print", u":/pictures/toolbar_print.svg"},
        {u"Find", u":/pictures/toolbar_find.svg"},
        {u"Delete", u":/pictures/toolbar_delete.svg"},
        {u"Help", u":/pictures/toolbar_help.svg"},
        {u"Help What's This", u":/pictures/toolbar_whatsthis.svg"},
        {u"Drawing", u":/pictures/toolbar_drawing.svg"},
    };
    for (const auto& [key, path] : pictures)
        images.add(QString::fromUtf16(key), QString::fromUtf16(path));
    return images;
}

Form1::Form1(AppServices services, Printer& printer)
    : ui(std::make_unique<Ui::Form1>()), imlToolbarIcons(mainToolbarIcons()),
      m_services(std::move(services)), m_printer(printer)
{
    ui->setupUi(this);
    setFixedBorder(this, TitleButtons::CloseAndMinimise);
    centreOnScreen(this);

    fillToolbar(*ui->Toolbar1, mainToolbarButtons(), imlToolbarIcons,
                [this](const QString& key) { runToolbarKey(key); });
    // The toolbar's buttons come first in the window's tab order.
    chainToolbarTabOrder(*ui->Toolbar1, nullptr, ui->Combo3);
    ui->Combo3->setFocus();

    connect(ui->Command1, &QPushButton::clicked, this, &Form1::runEquivalence);
    connect(ui->Command2, &QPushButton::clicked, this,
            [this] { m_services.windows.show(WindowName::Form2); });
    connect(ui->Command3, &QPushButton::clicked, this, &Form1::runClimbingSpeed);
    connect(ui->Command8, &QPushButton::clicked, this,
            [this] { m_services.windows.show(WindowName::Form4); });
    // Going back into either input means a new question: the old speed goes.
    // (setText, not clear(): only setText tells a screen reader the text went.)
    for (QWidget* input : {static_cast<QWidget*>(ui->Combo4), static_cast<QWidget*>(ui->Combo5)})
        onFocusEntered(input, [this] { ui->Label4->setText(QString()); });
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
    const ClimbingSpeedOutcome outcome =
        computeClimbingSpeed({ui->Combo5->currentText(), ui->Combo4->currentText()},
                             m_services.locale, m_services.messages);
    if (outcome.speed)
        ui->Label4->setText(*outcome.speed);
    if (outcome.warning)
        m_services.messages.show(*outcome.warning);
}

void Form1::runToolbarKey(const QString& key)
{
    // Every action contains its own failures, so one that fails leaves the
    // window as it was and the program goes on.
    switch (mainToolbarAction(key)) {
    case MainToolbarAction::ClimbingSpeed:
        runClimbingSpeed();
        break;
    case MainToolbarAction::ShowDevelopment:
        m_services.windows.show(WindowName::Form3);
        break;
    case MainToolbarAction::ShowTable:
        m_services.windows.show(WindowName::Form2);
        break;
    case MainToolbarAction::PrintTable:
        printTable();
        break;
    case MainToolbarAction::Equivalence:
        runEquivalence();
        break;
    case MainToolbarAction::ShowAbout:
        m_services.windows.show(WindowName::frmAbout);
        break;
    case MainToolbarAction::Help:
        showMainHelp(m_services.messages);
        break;
    case MainToolbarAction::Close:
        m_services.windows.close(WindowName::Form1);
        break;
    case MainToolbarAction::None:
        break;
    }
}

void Form1::printTable()
{
    // The table is printed as it would look, without being shown; a later
    // "Table" shows this same window. With no usable printer nothing happens.
    if (QWidget* table = m_services.windows.load(WindowName::Form2))
        m_printer.printWindow(*table);
}

void registerMainWindow(const AppServices& services, Printer& printer)
{
    services.windows.registerWindow(WindowName::Form1, [services, &printer] {
        return std::make_unique<Form1>(services, printer);
    });
}

} // namespace dentivel

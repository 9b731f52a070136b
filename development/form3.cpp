#include "development/form3.h"

#include "development/development.h"
#include "shell/appearance.h"
#include "shell/focus_entry.h"
#include "shell/printer.h"
#include "shell/toolbar.h"
#include "shell/window_registry.h"
#include "ui_form3.h"

namespace dentivel {

namespace {

ImageList toolbarIcons()
{
    ImageList images;
    images.add(QStringLiteral("Help"), QStringLiteral(":/pictures/toolbar_help.svg"));
    images.add(QStringLiteral("Print"), QStringLiteral(":/pictures/toolbar_print.svg"));
    images.add(QStringLiteral("Delete"), QStringLiteral(":/pictures/toolbar_delete.svg"));
    return images;
}

void applyIfSet(QLabel* label, const std::optional<QString>& text)
{
    if (text)
        label->setText(*text);
}

} // namespace

Form3::Form3(AppServices services, Printer& printer)
    : ui(std::make_unique<Ui::Form3>()), imlToolbarIcons(toolbarIcons()),
      m_services(std::move(services)), m_printer(printer)
{
    ui->setupUi(this);
    setFixedBorder(this, TitleButtons::CloseAndMinimise);
    centreOnScreen(this);

    fillToolbar(*ui->Toolbar1, developmentToolbarButtons(), imlToolbarIcons,
                [this](const QString& key) { runToolbarKey(key); });
    // The toolbar's buttons exist only now: put them where the design's tab
    // order has the toolbar.
    chainToolbarTabOrder(*ui->Toolbar1, ui->Combo2, ui->Combo3);

    // Going back into a gear input means a new gear: every result goes; going
    // into the revolutions only makes the distance stale.
    onFocusEntered(ui->Combo1, [this] { clearResults(); });
    onFocusEntered(ui->Combo2, [this] { clearResults(); });
    onFocusEntered(ui->Combo3, [this] { clearDistance(); });

    connect(ui->Command1, &QPushButton::clicked, this, &Form3::runCalculation);
    connect(ui->UpDown1, &UpDown::valueChanged, this,
            [this](int value) { ui->Combo3->setText(revolutionsText(value)); });
    ui->Command1->setFocus();
}

Form3::~Form3() = default;

void Form3::runCalculation()
{
    const DevelopmentLabels labels = computeDevelopment(
        {ui->Combo1->currentText(), ui->Combo2->currentText(), ui->Combo3->text()},
        m_services.locale, m_services.messages);
    applyIfSet(ui->Label5, labels.sentence);
    applyIfSet(ui->Label1, labels.development);
    applyIfSet(ui->Label6, labels.heading);
    applyIfSet(ui->aff, labels.distance);
}

void Form3::runToolbarKey(const QString& key)
{
    switch (developmentToolbarAction(key)) {
    case DevelopmentToolbarAction::Help:
        showDevelopmentHelp(m_services.messages);
        break;
    case DevelopmentToolbarAction::Print:
        printReport();
        break;
    case DevelopmentToolbarAction::Close:
        m_services.windows.close(WindowName::Form3);
        break;
    case DevelopmentToolbarAction::None:
        break;
    }
}

void Form3::printReport()
{
    const QString report =
        developmentReport({ui->Combo1->currentText(), ui->Combo2->currentText(), ui->Combo3->text(),
                           ui->Label1->text(), ui->aff->text()});
    // With no usable printer nothing is printed and nothing is said.
    m_printer.printText(report, kReportPointSize);
}

// setText, not clear(): only setText tells a screen reader that the text went.
void Form3::clearResults()
{
    ui->Label6->setText(QString());
    ui->Label1->setText(QString());
    clearDistance();
}

void Form3::clearDistance()
{
    ui->Label5->setText(QString());
    ui->aff->setText(QString());
}

} // namespace dentivel

#pragma once

#include "shell/app_services.h"
#include "shell/toolbar.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Form3;
}

namespace dentivel {

class Printer;

// The development of one gear and the distance it covers in a number of
// pedal revolutions, with a toolbar for help, a printed report and closing.
class Form3 final : public QWidget {
    Q_OBJECT

public:
    Form3(AppServices services, Printer& printer);
    ~Form3() override;

    void runCalculation();
    // The toolbar's click handler: acts on the exact key, ignores any other.
    void runToolbarKey(const QString& key);

private:
    void clearResults();
    void clearDistance();
    void printReport();

    std::unique_ptr<Ui::Form3> ui;
    ImageList imlToolbarIcons;
    AppServices m_services;
    Printer& m_printer;
};

} // namespace dentivel

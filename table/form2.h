#pragma once

#include "shell/app_services.h"
#include "table/calculator_launch.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Form2;
}

namespace dentivel {

// The fixed table of developments, with a button that starts the system
// calculator for any other gear.
class Form2 final : public QWidget {
    Q_OBJECT

public:
    Form2(AppServices services, const CalculatorSetup& calculator);
    ~Form2() override;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void searchCalculator();
    void calculatorSearched(CalculatorLaunch outcome);

    std::unique_ptr<Ui::Form2> ui;
    AppServices m_services;
    // A child: the search under way goes with the window.
    CalculatorLauncher* m_calculator;
};

} // namespace dentivel

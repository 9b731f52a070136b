#pragma once

#include "app_services.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Form1;
}

namespace dentivel {

// The main window: gear equivalence on the left, climbing speed on the right.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    explicit Form1(AppServices services);
    ~Form1() override;

    // The two calculations, as their "Calculer" buttons and the toolbar run them.
    void runEquivalence();
    void runClimbingSpeed();

private:
    std::unique_ptr<Ui::Form1> ui;
    AppServices m_services;
};

// Makes the main window known to the registry.
void registerMainWindow(const AppServices& services);

} // namespace dentivel

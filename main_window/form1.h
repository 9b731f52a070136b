#pragma once

#include "shell/app_services.h"
#include "shell/toolbar.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Form1;
}

namespace dentivel {

class Printer;

// The main window: gear equivalence on the left, climbing speed on the right.
class Form1 final : public QWidget {
    Q_OBJECT

public:
    Form1(AppServices services, Printer& printer);
    ~Form1() override;

    // The two calculations, as their "Calculer" buttons and the toolbar run them.
    void runEquivalence();
    void runClimbingSpeed();
    // The toolbar's click handler: acts on the exact key, ignores any other.
    void runToolbarKey(const QString& key);

private:
    void printTable();

    std::unique_ptr<Ui::Form1> ui;
    ImageList imlToolbarIcons;
    AppServices m_services;
    Printer& m_printer;
};

// The pictures of the main toolbar's buttons under their image keys.
ImageList mainToolbarIcons();

// Makes the main window known to the registry. The development table is
// printed on the printer, which must outlive the registry's windows.
void registerMainWindow(const AppServices& services, Printer& printer);

} // namespace dentivel

#pragma once

#include "shell/app_services.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Form4;
}

namespace dentivel {

// The cadence calculator.
class Form4 final : public QWidget {
    Q_OBJECT

public:
    explicit Form4(AppServices services);
    ~Form4() override;

private:
    void runCadence();

    std::unique_ptr<Ui::Form4> ui;
    AppServices m_services;
};

} // namespace dentivel

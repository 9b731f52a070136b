#pragma once

#include "shell/app_services.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Formfen;
}

namespace dentivel {

// The warning shown once before the main window.
class Formfen final : public QWidget {
    Q_OBJECT

public:
    explicit Formfen(AppServices services);
    ~Formfen() override;

private:
    std::unique_ptr<Ui::Formfen> ui;
    AppServices m_services;
};

} // namespace dentivel

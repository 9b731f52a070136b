#pragma once

#include "shell/app_services.h"

#include <QWidget>

#include <memory>

namespace Ui {
class frmSplash2;
}

namespace dentivel {

// The start-up window: product name, logo, version and a joke about gearing.
class frmSplash2 final : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash2(AppServices services);
    ~frmSplash2() override;

private:
    std::unique_ptr<Ui::frmSplash2> ui;
    AppServices m_services;
};

} // namespace dentivel

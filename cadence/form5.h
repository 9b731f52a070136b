#pragma once

#include "shell/app_services.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Form5;
}

namespace dentivel {

// A fixed example of the largest gears that keep a cadence of 75 on a climb.
class Form5 final : public QWidget {
    Q_OBJECT

public:
    explicit Form5(AppServices services);
    ~Form5() override;

private:
    std::unique_ptr<Ui::Form5> ui;
    AppServices m_services;
};

} // namespace dentivel

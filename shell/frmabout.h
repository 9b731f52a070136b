#pragma once

#include "shell/app_services.h"

#include <QDialog>
#include <QLatin1String>

#include <memory>

namespace Ui {
class frmAbout;
}

namespace dentivel {

// Where the about window's mail link writes to; the build defines it once,
// for this link and for the package's maintainer.
inline constexpr QLatin1String kAuthorMailAddress(DENTIVEL_MAIL_ADDRESS);

// Product, version, a line on what it computes, the author, and a mail link
// opened by a double-click.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(AppServices services);
    ~frmAbout() override;

    // Enter and Escape end up here; the window goes through the registry like
    // every other.
    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::frmAbout> ui;
    AppServices m_services;
};

} // namespace dentivel

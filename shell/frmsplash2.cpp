#include "shell/frmsplash2.h"

#include "shell/appearance.h"
#include "shell/pictures.h"
#include "shell/window_registry.h"
#include "ui_frmsplash2.h"

namespace dentivel {

frmSplash2::frmSplash2(AppServices services)
    : ui(std::make_unique<Ui::frmSplash2>()), m_services(std::move(services))
{
    ui->setupUi(this);
    setFixedFrameWithoutTitle(this);
    // The label is as large as the logo, whatever size the logo is set to.
    ui->imgLogo->resize(kLogoPictureSize);
    ui->imgLogo->setPixmap(QPixmap::fromImage(
        picture(QStringLiteral(":/pictures/logo.svg"), kLogoPictureSize, devicePixelRatioF())));
    ui->lblProductName->adjustSize();
    ui->lblVersion->adjustSize();
    ui->Command1->setFocus();
    centreOnScreen(this);

    connect(ui->Command1, &QPushButton::clicked, this, [this] {
        // The next window first, so that the program is never left without a
        // window: there the desktop may hand the focus to another program,
        // and Wine on an X display without a window manager waits two
        // seconds for one.
        m_services.windows.show(WindowName::Formfen);
        m_services.windows.close(WindowName::frmSplash2);
    });
    connect(ui->Command2, &QPushButton::clicked, this, [this] { m_services.windows.endProgram(); });
}

frmSplash2::~frmSplash2() = default;

} // namespace dentivel

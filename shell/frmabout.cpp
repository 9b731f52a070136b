#include "shell/frmabout.h"

#include "shell/appearance.h"
#include "shell/pictures.h"
#include "shell/window_registry.h"
#include "ui_frmabout.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace dentivel {

frmAbout::frmAbout() : ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    // A tool window stays out of the task bar.
    setFixedBorder(this, TitleButtons::Close, Qt::Tool);
    // Drawn at the screen's pixel density so the small icons stay sharp.
    const qreal ratio = devicePixelRatioF();
    // The icon's label is as large as the icon; the mail picture sits in the
    // middle of a larger place to double-click.
    ui->picIcon->resize(kAboutPictureSize);
    ui->picIcon->setPixmap(QPixmap::fromImage(
        picture(QStringLiteral(":/pictures/about_icon.svg"), kAboutPictureSize, ratio)));
    ui->OLE1->setPixmap(QPixmap::fromImage(
        picture(QStringLiteral(":/pictures/about_globe.svg"), kAboutPictureSize, ratio)));
    ui->OLE1->installEventFilter(this);
    ui->cmdOK->setFocus();
    centreOnScreen(this);

    // OK, Enter and Escape close the dialog, which the registry then forgets
    // like any other window.
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmAbout::accept);
}

frmAbout::~frmAbout() = default;

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    // Only a double-click opens the mail program; a single click does nothing.
    if (watched == ui->OLE1 && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + kAuthorMailAddress));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dentivel

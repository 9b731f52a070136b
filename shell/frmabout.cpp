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
    ui->picIcon->setPixmap(picture(QStringLiteral(":/pictures/about_icon.svg"), {32, 32}, ratio));
    ui->OLE1->setPixmap(picture(QStringLiteral(":/pictures/about_globe.svg"), {32, 32}, ratio));
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

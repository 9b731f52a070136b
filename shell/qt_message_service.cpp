#include "shell/qt_message_service.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace dentivel {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

MessageAnswer QtMessageService::showMessage(const QString& prompt, MessageIcon icon,
                                            MessageButtons buttons, const QString& title)
{
    QMessageBox box(toQtIcon(icon), title, prompt, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    // Qt's own button texts follow the installed translations; the program
    // speaks French whatever the system language is.
    if (buttons == MessageButtons::YesNo) {
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("Non"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    }
    const int pressed = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    // Closing the box any other way than with "Oui" counts as "Non".
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace dentivel

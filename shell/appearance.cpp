#include "appearance.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace dentivel {

void installFontSubstitutes()
{
    const QStringList metricCompatible{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), metricCompatible);
    QFont::insertSubstitutions(QStringLiteral("Arial"), metricCompatible);
}

void setFixedBorder(QWidget* window, TitleButtons buttons, Qt::WindowType type)
{
    Qt::WindowFlags flags = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (buttons == TitleButtons::CloseAndMinimise)
        flags |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);
    window->setFixedSize(window->size());
}

void centreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void placeOnScreen(QWidget* window, int left, int top)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->availableGeometry().topLeft() : QPoint();
    window->move(origin + QPoint(left, top));
}

} // namespace dentivel

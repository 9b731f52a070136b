#include "shell/appearance.h"

#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace dentivel {

namespace {

bool onWayland()
{
    // "wayland", or one of its variants such as "wayland-egl".
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

constexpr Qt::WindowStates enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

// Qt keeps a fixed window at its size when asked to maximise it, but the
// window would still count as maximised, for Qt and for the compositor, and
// the next press of the button would be taken as a restore. Going back to
// the normal state at once makes that button do nothing at all.
class StaysNormal final : public QObject {
public:
    explicit StaysNormal(QWidget* window) : QObject(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange) {
            auto* window = static_cast<QWidget*>(watched);
            if (window->windowState() & enlarged)
                // Not from inside the change the platform is still reporting.
                QMetaObject::invokeMethod(
                    window, [window] { window->setWindowState(window->windowState() & ~enlarged); },
                    Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

void keepFixedSize(QWidget* window)
{
    window->setFixedSize(window->size());
    window->installEventFilter(new StaysNormal(window));
}

} // namespace

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
    keepFixedSize(window);
}

void setFixedFrameWithoutTitle(QWidget* window)
{
    // Under X11 leaving out the title hint keeps the window manager's border.
    Qt::WindowFlags flags = Qt::Tool | Qt::CustomizeWindowHint;
    if (onWayland())
        flags |= Qt::FramelessWindowHint;
    window->setWindowFlags(flags);
    keepFixedSize(window);
}

bool programPlacesWindows()
{
    return !onWayland();
}

void centreOnScreen(QWidget* window)
{
    if (!programPlacesWindows())
        return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void placeOnScreen(QWidget* window, int left, int top)
{
    if (!programPlacesWindows())
        return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->availableGeometry().topLeft() : QPoint();
    window->move(origin + QPoint(left, top));
}

} // namespace dentivel

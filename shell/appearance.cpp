#include "shell/appearance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#if QT_CONFIG(xcb) && defined(DENTIVEL_HAVE_XCB)
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#define DENTIVEL_X11 1
#endif

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

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool inBrowser()
{
    return QGuiApplication::platformName() == QLatin1String("wasm");
}

#ifdef DENTIVEL_X11
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window manager reads _NET_WM_STATE when the window is mapped; Qt
// rewrites it just before that, keeping the states it finds there.
void addStateBeforeMapping(QWidget* window, const char* name)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t states = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t state = internAtom(connection, name);
    if (states == XCB_ATOM_NONE || state == XCB_ATOM_NONE)
        return;
    const auto cookie = xcb_get_property(connection, 0, id, states, XCB_ATOM_ATOM, 0, 1024);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (reply && reply->format == 32) {
        const auto* held = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        if (std::find(held, held + reply->value_len, state) != held + reply->value_len)
            return;
    }
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, states, XCB_ATOM_ATOM, 32, 1, &state);
    xcb_flush(connection);
}

// Qt has no flag for it under X11, where many task bars list tool windows
// too: the window manager is told each time the window is about to be mapped.
class StaysOutOfTaskBar final : public QObject {
public:
    explicit StaysOutOfTaskBar(QWidget* window) : QObject(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A spontaneous one comes when the window is restored after being
        // minimised: still mapped, it has kept its state.
        if (event->type() == QEvent::Show && !event->spontaneous())
            addStateBeforeMapping(static_cast<QWidget*>(watched), "_NET_WM_STATE_SKIP_TASKBAR");
        return QObject::eventFilter(watched, event);
    }
};
#endif

void keepOutOfTaskBar([[maybe_unused]] QWidget* window, [[maybe_unused]] Qt::WindowType type)
{
    // Elsewhere a tool window is enough.
#ifdef DENTIVEL_X11
    if (type == Qt::Tool && onX11())
        window->installEventFilter(new StaysOutOfTaskBar(window));
#endif
}

// Where the window manager is asked for no decoration at all, the window
// draws the thin line that a frame without title bar has.
class ThinBorder final : public QObject {
public:
    explicit ThinBorder(QWidget* window) : QObject(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            // Before the window's own painting and its children's, which
            // keep clear of the edge.
            auto* window = static_cast<QWidget*>(watched);
            QPainter painter(window);
            painter.setPen(window->palette().color(QPalette::Shadow));
            painter.drawRect(window->rect().adjusted(0, 0, -1, -1));
        }
        return QObject::eventFilter(watched, event);
    }
};

QScreen* screenOf(const QWidget* window)
{
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

QPoint centredFrameTopLeft(const QWidget* window, const QScreen* screen)
{
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    return frame.topLeft();
}

// Before its first showing a window has no frame yet: it is centred by its
// inner size, and Qt puts the frame's top left corner where the window's was
// to go, so the frame hangs below and right of the middle. Once the frame is
// known the window moves back by half its extra size, unless it no longer
// stands where it was put: then someone else placed it.
class CentresItsFrame final : public QObject {
public:
    CentresItsFrame(QWidget* window, QPoint placed) : QObject(window), m_placed(placed) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Move && window->frameGeometry() != window->geometry()) {
            if (window->frameGeometry().topLeft() == m_placed && screenOf(window))
                window->move(centredFrameTopLeft(window, screenOf(window)));
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPoint m_placed;
};

#ifdef Q_OS_WIN
// Windows has a face named "MS Sans Serif", but a bitmap one, in a few sizes
// and never smoothed; its TrueType successor keeps its metrics. Substitutes
// only stand in for missing faces, so each widget designed for the old face
// is given the new one when it is first polished, before it is shown or
// measured. Wine 8 has neither name; Wine 10 has only the bitmap face, whose
// nearest size is larger than designed and clips the captions: there the
// metric-compatible faces come before it.
class ReplacesBitmapFace final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            QFont font = widget->font();
            if (widget->testAttribute(Qt::WA_SetFont) &&
                font.families().value(0) == QLatin1String("MS Sans Serif")) {
                font.setFamilies({QStringLiteral("Microsoft Sans Serif"),
                                  QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                  QStringLiteral("MS Sans Serif")});
                widget->setFont(font);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};
#endif

} // namespace

void installFontSubstitutes()
{
#ifdef Q_OS_WASM
    // A page sees none of the system's faces: the program brings its own.
    for (const char* face : {"LiberationSans-Regular", "LiberationSans-Bold"})
        QFontDatabase::addApplicationFont(
            QStringLiteral(":/faces/%1.ttf").arg(QLatin1String(face)));
    // Message boxes and Qt's own texts too, at a desktop's usual size: Qt
    // would look for a face of its own that the page does not carry.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
#endif
    const QStringList metricCompatible{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), metricCompatible);
    QFont::insertSubstitutions(QStringLiteral("Arial"), metricCompatible);
#ifdef Q_OS_WIN
    // Windows' own dialog faces, which message boxes and Qt's default font
    // use: every Windows has them, but a Wine without its fonts package does
    // not, and there they would fall back to a serif face.
    for (const char* dialogFace : {"MS Shell Dlg 2", "MS Shell Dlg", "Tahoma"})
        QFont::insertSubstitutions(QString::fromLatin1(dialogFace), metricCompatible);
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(new ReplacesBitmapFace(application));
#endif
}

void setFixedBorder(QWidget* window, TitleButtons buttons, Qt::WindowType type)
{
    Qt::WindowFlags flags = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (buttons == TitleButtons::CloseAndMinimise)
        flags |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);
    keepFixedSize(window);
    keepOutOfTaskBar(window, type);
}

void setFixedFrameWithoutTitle(QWidget* window)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::CustomizeWindowHint;
    // Qt draws the frame itself there, and would draw a title bar.
    if (onWayland() || inBrowser())
        flags |= Qt::FramelessWindowHint;
    window->setWindowFlags(flags);
    keepFixedSize(window);
    keepOutOfTaskBar(window, Qt::Tool);
    // Qt asks X11 window managers for no decoration at all when there is no
    // title bar, and only some of them would draw a border alone if asked;
    // a browser draws nothing around a window without a frame.
    if (onX11() || inBrowser())
        window->installEventFilter(new ThinBorder(window));
}

bool programPlacesWindows()
{
    return !onWayland();
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = screenOf(window);
    if (!programPlacesWindows() || !screen)
        return;
    const bool frameKnown = window->frameGeometry() != window->geometry();
    const QPoint placed = centredFrameTopLeft(window, screen);
    window->move(placed);
    if (!frameKnown && window->windowFlags().testFlag(Qt::WindowTitleHint))
        window->installEventFilter(new CentresItsFrame(window, placed));
}

void placeOnScreen(QWidget* window, int left, int top)
{
    if (!programPlacesWindows())
        return;
    const QScreen* screen = screenOf(window);
    const QPoint origin = screen ? screen->availableGeometry().topLeft() : QPoint();
    window->move(origin + QPoint(left, top));
}

} // namespace dentivel

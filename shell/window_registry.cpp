#include "shell/window_registry.h"

#include "shell/desktop_input.h"

#include <QCloseEvent>
#include <QEvent>
#include <QPointer>

namespace dentivel {

WindowRegistry::WindowRegistry(std::function<void()> terminate, QObject* parent)
    : QObject(parent), m_terminate(std::move(terminate))
{
}

WindowRegistry::~WindowRegistry()
{
    for (const auto& window : std::as_const(m_loaded)) {
        if (window) {
            detach(window);
            delete window.data();
        }
    }
}

void WindowRegistry::registerWindow(const QString& name, Factory factory)
{
    m_factories.insert(name, std::move(factory));
}

QWidget* WindowRegistry::instance(const QString& name) const
{
    return m_loaded.value(name).data();
}

QWidget* WindowRegistry::load(const QString& name)
{
    if (QWidget* existing = instance(name))
        return existing;
    const auto factory = m_factories.constFind(name);
    if (factory == m_factories.constEnd())
        return nullptr;
    std::unique_ptr<QWidget> created = (*factory)();
    if (!created)
        return nullptr;
    QWidget* window = created.release();
    window->setObjectName(name);
    adoptDesktopInput(*window);
    // Qt destroys the window once its own handler has accepted a close, and
    // never when it refused one.
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, &WindowRegistry::windowDestroyed);
    m_loaded.insert(name, window);
    return window;
}

QWidget* WindowRegistry::show(const QString& name)
{
    QWidget* window = load(name);
    if (!window)
        return nullptr;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    // Made visible rather than shown: show() takes the platform's default
    // state, full screen in a browser, where every window would lose its
    // designed size. On the desktop the two are the same.
    const QPointer<QWidget> chosen = window->focusWidget();
    window->setVisible(true);
    // A browser activates the window while it is still being shown, before
    // its controls are: Qt then moves the focus past the control the window
    // chose. That control gets it back.
    if (chosen && window->focusWidget() != chosen)
        chosen->setFocus(Qt::ActiveWindowFocusReason);
    window->raise();
    window->activateWindow();
    return window;
}

void WindowRegistry::close(const QString& name)
{
    // A hidden window is not hidden again by its close: its entry goes here,
    // so the same handler may show it afresh.
    if (QWidget* window = instance(name); window && window->close())
        forget(window);
}

void WindowRegistry::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    // Hidden and detached at once, so no handler of theirs can run any more;
    // the objects themselves go when control is back in the event loop, since
    // the handler that asked for the end may belong to one of them.
    for (const auto& window : std::as_const(m_loaded)) {
        if (window) {
            detach(window);
            window->hide();
            window->deleteLater();
        }
    }
    m_loaded.clear();
    m_terminate();
}

QStringList WindowRegistry::loadedWindows() const
{
    QStringList names;
    for (auto it = m_loaded.cbegin(); it != m_loaded.cend(); ++it) {
        if (it.value())
            names.append(it.key());
    }
    names.sort();
    return names;
}

QStringList WindowRegistry::registeredWindows() const
{
    QStringList names = m_factories.keys();
    names.sort();
    return names;
}

bool WindowRegistry::eventFilter(QObject* watched, QEvent* event)
{
    // This filter runs before the window's own handler, which may refuse the
    // close. Qt hides a window only once its close was accepted, and before
    // the close returns: that hide is where the entry goes, so that whoever
    // looks next finds the window gone, though Qt destroys it later. A
    // refused close leaves no hide behind, and its mark goes once control is
    // back in the event loop.
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Close) {
        m_closing = window;
        const auto unmark = [this] { m_closing = nullptr; };
        QMetaObject::invokeMethod(this, unmark, Qt::QueuedConnection);
    } else if (event->type() == QEvent::Hide && !event->spontaneous() && window == m_closing) {
        m_closing = nullptr;
        forget(window);
    }
    return QObject::eventFilter(watched, event);
}

void WindowRegistry::forget(QWidget* window)
{
    for (auto it = m_loaded.begin(); it != m_loaded.end(); ++it) {
        if (it.value() == window) {
            m_loaded.erase(it);
            detach(window);
            QMetaObject::invokeMethod(this, &WindowRegistry::endIfNothingShown,
                                      Qt::QueuedConnection);
            return;
        }
    }
}

void WindowRegistry::windowDestroyed(QObject* window)
{
    // Closed with no hide after a close seen here: it was hidden already, or
    // it is a dialog, whose own closing keeps its Close event from filters.
    const auto gone = [window](const auto& entry) {
        return entry.value() == window || entry.value().isNull();
    };
    if (m_loaded.removeIf(gone) > 0)
        QMetaObject::invokeMethod(this, &WindowRegistry::endIfNothingShown, Qt::QueuedConnection);
}

void WindowRegistry::detach(QWidget* window)
{
    window->removeEventFilter(this);
    disconnect(window, &QObject::destroyed, this, &WindowRegistry::windowDestroyed);
}

void WindowRegistry::endIfNothingShown()
{
    for (const auto& window : std::as_const(m_loaded)) {
        if (window && window->isVisible())
            return;
    }
    // A window loaded only for printing is out of the user's reach: it does
    // not keep the program alive on its own.
    endProgram();
}

} // namespace dentivel

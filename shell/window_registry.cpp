#include "shell/window_registry.h"

#include "shell/desktop_input.h"

#include <QCloseEvent>
#include <QEvent>

namespace dentivel {

WindowRegistry::WindowRegistry(std::function<void()> terminate, QObject* parent)
    : QObject(parent), m_terminate(std::move(terminate))
{
}

WindowRegistry::~WindowRegistry()
{
    for (const auto& window : std::as_const(m_loaded)) {
        if (window) {
            window->removeEventFilter(this);
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
    window->installEventFilter(this);
    m_loaded.insert(name, window);
    return window;
}

QWidget* WindowRegistry::show(const QString& name)
{
    QWidget* window = load(name);
    if (!window)
        return nullptr;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void WindowRegistry::close(const QString& name)
{
    if (QWidget* window = instance(name))
        window->close();
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
            window->removeEventFilter(this);
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
    // No window of the program refuses to close, so a close event, from the
    // title bar or from a handler, always ends the instance.
    if (event->type() == QEvent::Close) {
        if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
            forget(window);
    }
    return QObject::eventFilter(watched, event);
}

void WindowRegistry::forget(QWidget* window)
{
    for (auto it = m_loaded.begin(); it != m_loaded.end(); ++it) {
        if (it.value() == window) {
            m_loaded.erase(it);
            break;
        }
    }
    window->removeEventFilter(this);
    window->deleteLater();
    QMetaObject::invokeMethod(this, &WindowRegistry::endIfNothingShown, Qt::QueuedConnection);
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

#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

namespace dentivel {

// Owns the one instance of every window of the program, looked up by the
// window's name. A window is created from its design on first use and
// destroyed once it has accepted a close, so each reopening starts from its
// designed contents. Windows are top-level and ownerless: all of them stay
// usable side by side.
//
// The program ends when a handler asks for it (endProgram) or once no window
// is shown any more. That second check runs after the current handler has
// returned, so a handler may close its own window and then show the next one.
class WindowRegistry final : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<std::unique_ptr<QWidget>()>;

    explicit WindowRegistry(std::function<void()> terminate, QObject* parent = nullptr);
    ~WindowRegistry() override;

    void registerWindow(const QString& name, Factory factory);

    // The loaded instance, or nullptr when the window is not loaded.
    QWidget* instance(const QString& name) const;
    // Loads the window hidden when needed; nullptr for an unknown name.
    QWidget* load(const QString& name);
    // Loads when needed, makes visible and brings to the front.
    QWidget* show(const QString& name);
    void close(const QString& name);
    // Every window goes at once, without any further handler, then the
    // program terminates.
    void endProgram();

    QStringList loadedWindows() const;
    QStringList registeredWindows() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forget(QWidget* window);
    void windowDestroyed(QObject* window);
    void detach(QWidget* window);
    void endIfNothingShown();

    std::function<void()> m_terminate;
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_loaded;
    // The window whose close is under way.
    QPointer<QWidget> m_closing;
    bool m_ended = false;
};

} // namespace dentivel

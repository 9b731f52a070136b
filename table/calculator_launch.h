#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace dentivel {

class MessageService;

// Starting an outside program and bringing its window forward.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the program at the path, without arguments; its process id, or
    // nothing when it could not be started.
    virtual std::optional<qint64> start(const QString& path) = 0;
    // Brings forward the window of a program started by start(). The answer
    // comes later, from the event loop: done is called once with it, unless
    // context is destroyed first, in which case done is never called.
    virtual void activate(qint64 id, QObject* context, std::function<void(bool)> done) = 0;
};

// Starts the program itself, never through a shell, so a path is never
// interpreted. The wait is a timer on the event loop: every window stays
// responsive meanwhile.
// - On Windows the program starts minimised and holding the focus; once its
//   main window shows, that window is brought forward and the program counts
//   as activated. One that ends first lets the next path be tried.
// - Elsewhere no window can be raised by process id: a program counts as
//   activated when it is still running a short while after its start, so one
//   that dies at once lets the next path be tried, while a calculator that is
//   merely slow to show its window is never started twice.
class QtProgramLauncher final : public ProgramLauncher {
public:
    std::optional<qint64> start(const QString& path) override;
    void activate(qint64 id, QObject* context, std::function<void(bool)> done) override;
};

// Where the system calculator is looked for, in order, and how it is started.
struct CalculatorSetup {
    ProgramLauncher* launcher = nullptr;
    QStringList paths;
};

// The usual calculators of the system the program runs on.
QStringList systemCalculatorPaths();

enum class CalculatorLaunch { Started, NotFound };

// The "Pour les pinailleurs..." button: the teasing notice, then each path in
// turn until one calculator is started and activated. When none is, the
// "Désolé" box is shown and finished(NotFound) tells the window to close.
class CalculatorLauncher final : public QObject {
    Q_OBJECT

public:
    // The set-up and the boxes must outlive the launcher.
    CalculatorLauncher(const CalculatorSetup& calculator, MessageService& messages,
                       QObject* parent = nullptr);

    // One press of the button, which the window keeps from being pressed
    // again before finished(). That comes before this returns when no path
    // could even be started, later from the event loop otherwise.
    void launch();
    // Drops the attempt under way: nothing more is started or shown for it,
    // and finished() is not emitted.
    void cancel();

Q_SIGNALS:
    void finished(dentivel::CalculatorLaunch outcome);

private:
    void tryFrom(qsizetype index);
    void finish(CalculatorLaunch outcome);

    const CalculatorSetup& m_calculator;
    MessageService& m_messages;
    // Parent of the program launcher's timers for the attempt under way:
    // deleting it stops them, and with them any call back.
    QPointer<QObject> m_attempt;
};

} // namespace dentivel

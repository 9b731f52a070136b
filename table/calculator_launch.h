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
// interpreted. No window can be raised by process id on every system: a
// program counts as activated when it is still running a short while after
// its start, so one that dies at once lets the next path be tried, while a
// calculator that is merely slow to show its window is never started twice.
// The wait is a timer on the event loop: every window stays responsive meanwhile.
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
//
// A press while an attempt is pending waits for it, as a click once waited
// behind the frozen window: it then runs as an attempt of its own, notice
// first, after the pending one has found its calculator. When that one finds
// none, the window closes and the waiting presses go with it.
class CalculatorLauncher final : public QObject {
    Q_OBJECT

public:
    // The set-up and the boxes must outlive the launcher.
    CalculatorLauncher(const CalculatorSetup& calculator, MessageService& messages,
                       QObject* parent = nullptr);

    // One press of the button. finished() comes before this returns when no
    // path could even be started, later from the event loop otherwise.
    void launch();
    // Forgets the pending attempt and the presses waiting for it: nothing more
    // is started or shown for them, and finished() is not emitted.
    void cancel();
    bool pending() const { return m_attempt != nullptr; }

Q_SIGNALS:
    void finished(dentivel::CalculatorLaunch outcome);

private:
    void begin();
    void tryFrom(qsizetype index);
    void finish(CalculatorLaunch outcome);
    void resume();

    const CalculatorSetup& m_calculator;
    MessageService& m_messages;
    // The set-up as it was at the press, whatever becomes of it meanwhile.
    CalculatorSetup m_tried;
    // Parent of the program launcher's timers for the attempt under way:
    // deleting it stops them, and with them any call back.
    QPointer<QObject> m_attempt;
    int m_waiting = 0;
};

} // namespace dentivel

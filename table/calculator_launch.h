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
    // nothing when it could not be started. Every id it gives is to be passed
    // to activate() once.
    virtual std::optional<qint64> start(const QString& path) = 0;
    // Brings forward the window of a program started by start(). The answer
    // comes later, from the event loop: done is called once with it, unless
    // context is destroyed first, in which case done is never called. A
    // program that ends successfully before its window shows has handed over
    // to a calculator it brought up, as Windows's CALC.EXE starter does, or a
    // GNOME calculator finding one already open, and counts as activated; one
    // that ends with a failure does not.
    virtual void activate(qint64 id, QObject* context, std::function<void(bool)> done) = 0;
};

// Where the system calculator is looked for, in order, and how it is started.
struct CalculatorSetup {
    ProgramLauncher* launcher = nullptr;
    QStringList paths;
};

// The calculators of Windows, in the folders the system reports for itself
// and for its system files, wherever it is installed. A folder that could not
// be had gives no path.
QStringList windowsCalculatorPaths(const QString& windowsFolder, const QString& systemFolder);

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

#pragma once

#include <QStringList>
#include <QtGlobal>

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
    // Brings forward the window of a program started by start().
    virtual bool activate(qint64 id) = 0;
};

// Starts the program itself, never through a shell, so a path is never
// interpreted. No window can be raised by process id on every system: a
// program counts as activated when it is still running a short while after
// its start, so one that dies at once lets the next path be tried, while a
// calculator that is merely slow to show its window is never started twice.
class QtProgramLauncher final : public ProgramLauncher {
public:
    std::optional<qint64> start(const QString& path) override;
    bool activate(qint64 id) override;
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
// "Désolé" box is shown and NotFound tells the caller to close its window.
CalculatorLaunch launchCalculator(const CalculatorSetup& calculator, MessageService& messages);

} // namespace dentivel

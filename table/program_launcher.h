#pragma once

#include "table/calculator_launch.h"

#include <QStringList>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <map>
#endif

namespace dentivel {

// Starts the program itself, never through a shell, so a path is never
// interpreted. The wait is a timer on the event loop: every window stays
// responsive meanwhile. A program still running when its wait ends is left
// running, whatever becomes of the window that started it.
// - On Windows the program starts minimised and holding the focus; once its
//   main window shows, that window is brought forward and the program counts
//   as activated.
// - Elsewhere no window can be raised by process id: a program counts as
//   activated when it is still running a short while after its start, so one
//   that fails at once lets the next path be tried, while a calculator that is
//   merely slow to show its window is never started twice.
// Either way a program that ends before then counts as activated when it
// ends successfully.
class QtProgramLauncher final : public ProgramLauncher {
public:
    QtProgramLauncher() = default;
    ~QtProgramLauncher() override;
    Q_DISABLE_COPY_MOVE(QtProgramLauncher)

    std::optional<qint64> start(const QString& path) override;
    void activate(qint64 id, QObject* context, std::function<void(bool)> done) override;

private:
#ifdef Q_OS_WIN
    // The handles of the programs started and not yet waited for: holding one
    // keeps the exit code of its program, and its id from going to another.
    std::map<qint64, Qt::HANDLE> m_started;
#endif
};

// The usual calculators of the system the program runs on.
QStringList systemCalculatorPaths();

} // namespace dentivel

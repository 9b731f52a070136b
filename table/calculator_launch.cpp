#include "calculator_launch.h"

#include "message_service.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <signal.h>
#include <sys/types.h>
#endif

namespace dentivel {

namespace {

// Long enough for a program that fails at start-up to have ended, short
// enough not to be noticed after the notice box.
constexpr int kSettleMilliseconds = 500;
constexpr int kPollMilliseconds = 20;

const MessageText kNotice{
    QStringLiteral(
        "Si votre plateau est de 55, si votre tour de roue est de 2.084, si..., et si ma "
        "tante en avait... <;-} "),
    QStringLiteral("Calculatrice"), MessageIcon::Exclamation, MessageButtons::Ok};

const MessageText kNotFound{QStringLiteral("Calculatrice Windows non trouvée "),
                            QStringLiteral("Désolé"), MessageIcon::Critical, MessageButtons::Ok};

bool isRunning(qint64 id)
{
    if (id <= 0)
        return false;
#ifdef Q_OS_WIN
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(id));
    if (!process)
        return false;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    if (::kill(pid_t(id), 0) != 0 && errno != EPERM)
        return false;
#ifdef Q_OS_LINUX
    // Where nobody reaps orphans, an ended program lingers as a zombie that
    // kill() still finds.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(id));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.readAll();
        const qsizetype nameEnd = line.lastIndexOf(')');
        if (nameEnd >= 0 && nameEnd + 2 < line.size()) {
            const char state = line.at(nameEnd + 2);
            return state != 'Z' && state != 'X';
        }
    }
#endif
    return true;
#endif
}

} // namespace

std::optional<qint64> QtProgramLauncher::start(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    qint64 id = 0;
    if (!QProcess::startDetached(path, {}, {}, &id))
        return std::nullopt;
    return id;
}

bool QtProgramLauncher::activate(qint64 id)
{
    const QDeadlineTimer settled(kSettleMilliseconds);
    while (!settled.hasExpired()) {
        if (!isRunning(id))
            return false;
        QThread::msleep(kPollMilliseconds);
    }
    return isRunning(id);
}

QStringList systemCalculatorPaths()
{
#if defined(Q_OS_WIN)
    return {QStringLiteral("C:\\WINDOWS\\CALC.EXE"),
            QStringLiteral("C:\\WINDOWS\\SYSTEM32\\CALC.EXE")};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("/System/Applications/Calculator.app/Contents/MacOS/Calculator"),
            QStringLiteral("/Applications/Calculator.app/Contents/MacOS/Calculator")};
#else
    // GNOME's, then KDE's.
    return {QStringLiteral("/usr/bin/gnome-calculator"), QStringLiteral("/usr/bin/kcalc")};
#endif
}

CalculatorLaunch launchCalculator(const CalculatorSetup& calculator, MessageService& messages)
{
    messages.show(kNotice);
    if (calculator.launcher) {
        for (const QString& path : calculator.paths) {
            const std::optional<qint64> id = calculator.launcher->start(path);
            if (id && calculator.launcher->activate(*id))
                return CalculatorLaunch::Started;
        }
    }
    messages.show(kNotFound);
    return CalculatorLaunch::NotFound;
}

} // namespace dentivel

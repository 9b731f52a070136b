#include "table/calculator_launch.h"

#include "shell/message_service.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

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

void QtProgramLauncher::activate(qint64 id, QObject* context, std::function<void(bool)> done)
{
    // A child of the context: destroying the context stops the poll, and the
    // connection's copy of done goes with it.
    auto* poll = new QTimer(context);
    poll->setInterval(kPollMilliseconds);
    QObject::connect(poll, &QTimer::timeout, poll,
                     [poll, id, settled = QDeadlineTimer(kSettleMilliseconds),
                      done = std::move(done)]() mutable {
                         const bool running = isRunning(id);
                         if (running && !settled.hasExpired())
                             return;
                         poll->stop();
                         poll->deleteLater();
                         // done may destroy the context, and this lambda with it.
                         const std::function<void(bool)> answer = std::move(done);
                         answer(running);
                     });
    poll->start();
}

QStringList systemCalculatorPaths()
{
#if defined(Q_OS_WIN)
    return {QStringLiteral("C:\\WINDOWS\\CALC.EXE"),
            QStringLiteral("C:\\WINDOWS\\SYSTEM32\\CALC.EXE")};
#else
    // GNOME's, then KDE's.
    return {QStringLiteral("/usr/bin/gnome-calculator"), QStringLiteral("/usr/bin/kcalc")};
#endif
}

CalculatorLauncher::CalculatorLauncher(const CalculatorSetup& calculator, MessageService& messages,
                                       QObject* parent)
    : QObject(parent), m_calculator(calculator), m_messages(messages)
{
}

void CalculatorLauncher::launch()
{
    m_attempt = new QObject(this);
    const QPointer<QObject> attempt = m_attempt;
    m_messages.show(kNotice);
    // The box ran an event loop of its own, in which the window may have gone.
    if (attempt)
        tryFrom(0);
}

void CalculatorLauncher::cancel()
{
    delete m_attempt.data();
}

void CalculatorLauncher::tryFrom(qsizetype index)
{
    ProgramLauncher* launcher = m_calculator.launcher;
    for (; launcher && index < m_calculator.paths.size(); ++index) {
        const std::optional<qint64> id = launcher->start(m_calculator.paths.at(index));
        if (!id)
            continue;
        // Called back only while the attempt, a child of this, still exists.
        launcher->activate(*id, m_attempt, [this, index](bool activated) {
            if (activated)
                finish(CalculatorLaunch::Started);
            else
                tryFrom(index + 1);
        });
        return;
    }
    finish(CalculatorLaunch::NotFound);
}

void CalculatorLauncher::finish(CalculatorLaunch outcome)
{
    // Deleted later, since the call back comes from one of its timers.
    if (m_attempt)
        m_attempt->deleteLater();
    m_attempt = nullptr;
    if (outcome == CalculatorLaunch::NotFound) {
        const QPointer<CalculatorLauncher> alive(this);
        m_messages.show(kNotFound);
        if (!alive)
            return;
    }
    Q_EMIT finished(outcome);
}

} // namespace dentivel

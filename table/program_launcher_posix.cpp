// Starting a program on Linux and other POSIX systems. No window can be
// raised by process id there: a program counts as activated when it is still
// running a short while after its start.
#include "table/calculator_launch.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <cerrno>
#include <signal.h>
#include <sys/types.h>

namespace dentivel {

namespace {

// Long enough for a program that fails at start-up to have ended, short
// enough not to be noticed after the notice box.
constexpr int kSettleMilliseconds = 500;
constexpr int kPollMilliseconds = 20;

bool isRunning(qint64 id)
{
    if (id <= 0)
        return false;
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

} // namespace dentivel

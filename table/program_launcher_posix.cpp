// Starting a program on Linux and other POSIX systems. No window can be
// raised by process id there: a program counts as activated when it is still
// running a short while after its start, or has ended successfully by then.
#include "table/program_launcher.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTimer>

#include <cerrno>
#include <cstdint>
#include <memory>

#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace dentivel {

namespace {

// Long enough for a program that fails at start-up to have ended, short
// enough not to be noticed after the notice box.
constexpr int kSettleMilliseconds = 500;
constexpr int kPollMilliseconds = 20;

// A started program has a session of its own, as a detached program would:
// an interrupt or hang-up meant for this program, from its terminal, is not
// meant for the calculator.
#ifdef POSIX_SPAWN_SETSID
constexpr short kOwnSession = POSIX_SPAWN_SETSID;
#else
constexpr short kOwnSession = POSIX_SPAWN_SETPGROUP;
#endif

// The reaper's thread. The id travels in the pointer itself, so nothing is
// allocated that would be lost should the thread never start.
void* reap(void* child)
{
    const auto id = pid_t(reinterpret_cast<std::intptr_t>(child));
    while (::waitpid(id, nullptr, 0) < 0 && errno == EINTR)
        continue;
    return nullptr;
}

// A program started as a child of this one, the only way to learn how it
// ended. Left running when its wait is over or dropped, it is handed to a
// thread that waits for it: it is never stopped, and never lingers as a
// zombie once it ends.
class Child {
public:
    explicit Child(pid_t id) : m_id(id) {}
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child()
    {
        if (m_id <= 0)
            return;
        // Started this way, a thread that cannot be had is a result to look
        // at rather than an exception, which no destructor may let out.
        // Without it the child stays a zombie until this program ends.
        pthread_t thread;
        if (::pthread_create(&thread, nullptr, reap,
                             reinterpret_cast<void*>(std::intptr_t(m_id))) == 0)
            ::pthread_detach(thread);
    }

    // Nothing while it runs; once it has ended, whether it succeeded.
    std::optional<bool> ended()
    {
        // waitpid() would take 0 or -1 for any child at all.
        if (m_id <= 0)
            return false;
        int status = 0;
        pid_t reaped = 0;
        do {
            reaped = ::waitpid(m_id, &status, WNOHANG);
        } while (reaped < 0 && errno == EINTR);
        if (reaped == 0)
            return std::nullopt;
        m_id = 0;
        // Reaped by someone else, its status is lost: nothing says it succeeded.
        return reaped > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t m_id;
};

} // namespace

QtProgramLauncher::~QtProgramLauncher() = default;

std::optional<qint64> QtProgramLauncher::start(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    // The path is the program and its only argument: nothing is parsed out of
    // it, and no search through PATH is made.
    const QByteArray program = QFile::encodeName(path);
    char* arguments[] = {const_cast<char*>(program.constData()), nullptr};
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0)
        return std::nullopt;
    // Nor are the signals this thread happens to block the calculator's.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, short(kOwnSession | POSIX_SPAWN_SETSIGMASK));
    pid_t id = 0;
    // glibc reports here a program that could not be run; elsewhere it may
    // end at once with status 127, which its wait takes for a failure.
    const int error =
        ::posix_spawn(&id, program.constData(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return std::nullopt;
    return qint64(id);
}

void QtProgramLauncher::activate(qint64 id, QObject* context, std::function<void(bool)> done)
{
    const auto child = std::make_shared<Child>(pid_t(id));
    // A child of the context: destroying the context stops the poll, and the
    // connection's copies of done and of the child go with it.
    auto* poll = new QTimer(context);
    poll->setInterval(kPollMilliseconds);
    QObject::connect(poll, &QTimer::timeout, poll,
                     [poll, child, settled = QDeadlineTimer(kSettleMilliseconds),
                      done = std::move(done)]() mutable {
                         const std::optional<bool> succeeded = child->ended();
                         if (!succeeded && !settled.hasExpired())
                             return;
                         poll->stop();
                         poll->deleteLater();
                         // done may destroy the context, and this lambda with it.
                         const std::function<void(bool)> answer = std::move(done);
                         // Still running: a calculator slow to show its window.
                         answer(succeeded.value_or(true));
                     });
    poll->start();
}

QStringList systemCalculatorPaths()
{
    // GNOME's, then KDE's.
    return {QStringLiteral("/usr/bin/gnome-calculator"), QStringLiteral("/usr/bin/kcalc")};
}

} // namespace dentivel

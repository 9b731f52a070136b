// Starting a program on Windows, as the calculator always was: minimised and
// holding the focus, then its window brought forward through its process.
#include "table/calculator_launch.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTimer>

#include <string>

#include <windows.h>

namespace dentivel {

namespace {

constexpr int kPollMilliseconds = 20;
// A program still running without a window after this long counts as
// started all the same, so that a slow calculator is never started twice.
constexpr int kWindowWaitMilliseconds = 5000;

bool isRunning(DWORD id)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return false;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

struct WindowSearch {
    DWORD process = 0;
    HWND found = nullptr;
};

BOOL CALLBACK visitTopLevel(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // Its main window: shown, and owned by no other window of its own.
    if (owner != search->process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND mainWindowOf(DWORD process)
{
    WindowSearch search{process};
    EnumWindows(visitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

std::optional<qint64> QtProgramLauncher::start(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    // Named as the program to run, the path is never parsed as a command
    // line, so nothing in it can become an argument or another program.
    const std::wstring program = QDir::toNativeSeparators(path).toStdWString();
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return std::nullopt;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return qint64(process.dwProcessId);
}

void QtProgramLauncher::activate(qint64 id, QObject* context, std::function<void(bool)> done)
{
    // A child of the context: destroying the context stops the poll, and the
    // connection's copy of done goes with it.
    auto* poll = new QTimer(context);
    poll->setInterval(kPollMilliseconds);
    QObject::connect(poll, &QTimer::timeout, poll,
                     [poll, process = DWORD(id), waited = QDeadlineTimer(kWindowWaitMilliseconds),
                      done = std::move(done)]() mutable {
                         bool activated = false;
                         if (!isRunning(process)) {
                             activated = false;
                         } else if (HWND window = mainWindowOf(process)) {
                             // As Visual Basic's AppActivate: the window takes the focus
                             // and stays minimised.
                             SetForegroundWindow(window);
                             activated = true;
                         } else if (waited.hasExpired()) {
                             activated = true;
                         } else {
                             return;
                         }
                         poll->stop();
                         poll->deleteLater();
                         // done may destroy the context, and this lambda with it.
                         const std::function<void(bool)> answer = std::move(done);
                         answer(activated);
                     });
    poll->start();
}

} // namespace dentivel

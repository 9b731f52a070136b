// Starting a program on Windows, as the calculator always was: minimised and
// holding the focus, then its window brought forward through its process.
#include "table/program_launcher.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTimer>

#include <memory>
#include <string>

#include <windows.h>

namespace dentivel {

namespace {

constexpr int kPollMilliseconds = 20;
// A program still running without a window after this long counts as
// started all the same, so that a slow calculator is never started twice.
constexpr int kWindowWaitMilliseconds = 5000;

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

using FolderQuery = UINT(WINAPI*)(LPWSTR, UINT);

// A folder as the system reports it, or nothing when it will not say.
QString folderFrom(FolderQuery query)
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT length = query(folder.data(), UINT(folder.size()));
    // Too small a buffer is answered with the size needed.
    if (length >= folder.size()) {
        folder.resize(length);
        length = query(folder.data(), UINT(folder.size()));
    }
    if (length == 0 || length >= folder.size())
        return {};
    folder.resize(length);
    return QString::fromStdWString(folder);
}

} // namespace

QtProgramLauncher::~QtProgramLauncher()
{
    for (const auto& [id, process] : m_started)
        CloseHandle(process);
}

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
    // Kept for its wait, which reads from it how the program ended.
    const qint64 id = process.dwProcessId;
    m_started[id] = process.hProcess;
    return id;
}

void QtProgramLauncher::activate(qint64 id, QObject* context, std::function<void(bool)> done)
{
    // The wait takes the handle over, and closes it when it ends or is dropped.
    std::shared_ptr<void> handle;
    if (const auto found = m_started.find(id); found != m_started.end()) {
        handle.reset(found->second, [](HANDLE process) { CloseHandle(process); });
        m_started.erase(found);
    }
    // A child of the context: destroying the context stops the poll, and the
    // connection's copies of done and of the handle go with it.
    auto* poll = new QTimer(context);
    poll->setInterval(kPollMilliseconds);
    QObject::connect(
        poll, &QTimer::timeout, poll,
        [poll, handle, process = DWORD(id), waited = QDeadlineTimer(kWindowWaitMilliseconds),
         done = std::move(done)]() mutable {
            bool activated = false;
            if (!handle || WaitForSingleObject(handle.get(), 0) != WAIT_TIMEOUT) {
                // Ended before showing a window. A starter, such as CALC.EXE
                // since Windows 10, hands over to the Calculator app and ends
                // successfully; any other end is a failure.
                DWORD code = STILL_ACTIVE;
                activated = handle && GetExitCodeProcess(handle.get(), &code) && code == 0;
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

QStringList systemCalculatorPaths()
{
    // The shared Windows folder: on a terminal server GetWindowsDirectoryW may
    // give a private one of the user's, where no calculator is.
    return windowsCalculatorPaths(folderFrom(GetSystemWindowsDirectoryW),
                                  folderFrom(GetSystemDirectoryW));
}

} // namespace dentivel

// A stand-in calculator for the launch tests on Windows, copied under the
// name to test. It logs its name beside itself and the show command it was
// started with, then ends at once with a failure when "<name>.dies" is
// there, or with success and no window, as a starter handing over to a
// calculator already up, when "<name>.hands" is; otherwise it keeps a window
// open, as a calculator would.
#include <windows.h>

#include <filesystem>
#include <fstream>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path path(self);
    const std::filesystem::path folder = path.parent_path();
    std::ofstream(folder / "log", std::ios::app | std::ios::binary) << path.stem().string() << '\n';
    std::ofstream(folder / (path.stem().wstring() + L".show")) << show << '\n';
    if (std::filesystem::exists(folder / (path.stem().wstring() + L".dies")))
        return 1;
    if (std::filesystem::exists(folder / (path.stem().wstring() + L".hands")))
        return 0;

    WNDCLASSW type{};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = instance;
    type.lpszClassName = L"StandInCalculator";
    RegisterClassW(&type);
    HWND window =
        CreateWindowW(L"StandInCalculator", L"Calculatrice", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 240, 160, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    // Ended by the test; half a minute at most if a test fails to.
    SetTimer(window, 1, 30000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
        DispatchMessageW(&message);
    return 0;
}

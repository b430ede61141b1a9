// A stand-in for the window that Windows hands a screensaver: a white top-level window of
// the given client size at the screen's top-left, whose number goes to standard output for
// the /p or /c switch. It closes itself after the given seconds.
//   host_window WIDTH HEIGHT SECONDS
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: host_window WIDTH HEIGHT SECONDS\n");
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]), seconds = std::atoi(argv[3]);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = hostProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "TarnelTestHost";
    if (!RegisterClassA(&windowClass)) return 1;
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_POPUP, FALSE);
    HWND window = CreateWindowExA(0, "TarnelTestHost", "Tarnel Test Host", WS_POPUP | WS_VISIBLE, 0, 0,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;
    // Handles are 32-bit numbers even in a 64-bit process. Written straight to the handle:
    // the C library may hold a pipe's output until the program ends.
    char number[32];
    int length = std::snprintf(number, sizeof number, "%d\n", static_cast<int>(reinterpret_cast<std::intptr_t>(window)));
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), number, static_cast<DWORD>(length), &written, nullptr);
    SetTimer(window, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

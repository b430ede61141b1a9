// Looks at another program's windows and resources the way Windows itself sees them, for the
// tests that run the screensaver under Wine:
//   win_probe list TITLE|#NUMBER [UNITS_WIDE UNITS_HIGH]
//                                 a line on the window (class style width height), then one
//                                 per child window: id class style enabled state x y w h
//                                 sx sy sw sh "text" (x y w h in dialog units of a client area
//                                 that many units large, 397 x 244 unless given; sx sy sw sh in
//                                 screen pixels; state: a button's check, a track bar's
//                                 position, a combo box's selection)
//   win_probe owner TITLE         the number of the window that owns it
//   win_probe click TITLE ID      presses the button ID of that window
//   win_probe bitmap FILE ID      width, height and the colours at (10,10) and the last pixel
//   win_probe icon FILE ID        the size of the icon Windows picks at 32 x 32
//   win_probe volatile KEY        makes HKEY_CURRENT_USER\KEY a volatile key, under which
//                                 no lasting key can be made
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HWND findTopWindow(const char* name) {
    if (name[0] == '#') return reinterpret_cast<HWND>(static_cast<std::intptr_t>(std::atoi(name + 1)));
    return FindWindowA(nullptr, name);
}

// Dialog units back from pixels: the base units follow from the client area, which is the
// template's 397 x 244 units (or whatever the top window's template holds).
struct Units {
    double x = 1, y = 1;   // pixels per dialog unit
};

int toUnits(int pixels, double perUnit) { return static_cast<int>(std::lround(pixels / perUnit)); }

int stateOf(HWND control, const char* className) {
    if (_stricmp(className, "msctls_trackbar32") == 0) return static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0));
    if (_stricmp(className, "Button") == 0) return static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    if (_stricmp(className, "ComboBox") == 0) return static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    return 0;
}

struct ListContext {
    HWND top;
    Units units;
};

BOOL CALLBACK printChild(HWND control, LPARAM param) {
    const auto& context = *reinterpret_cast<ListContext*>(param);
    char className[64] = {};
    GetClassNameA(control, className, sizeof className);
    char text[256] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    RECT screen{};
    GetWindowRect(control, &screen);
    POINT origin{0, 0};
    ClientToScreen(context.top, &origin);
    std::printf("%d %s %08lx %d %d %d %d %d %d %ld %ld %ld %ld \"%s\"\n", GetDlgCtrlID(control), className,
                static_cast<unsigned long>(GetWindowLongA(control, GWL_STYLE)), IsWindowEnabled(control) ? 1 : 0,
                stateOf(control, className), toUnits(screen.left - origin.x, context.units.x),
                toUnits(screen.top - origin.y, context.units.y), toUnits(screen.right - screen.left, context.units.x),
                toUnits(screen.bottom - screen.top, context.units.y), screen.left, screen.top,
                screen.right - screen.left, screen.bottom - screen.top, text);
    return TRUE;
}

int list(const char* name, int unitsWide, int unitsHigh) {
    HWND top = findTopWindow(name);
    if (!IsWindow(top)) return 1;
    RECT client{};
    GetClientRect(top, &client);
    ListContext context{top, {}};
    // Base units are whole pixels per 4 (across) and 8 (down) dialog units.
    context.units.x = std::lround(client.right * 4.0 / unitsWide) / 4.0;
    context.units.y = std::lround(client.bottom * 8.0 / unitsHigh) / 8.0;
    char className[64] = {};
    GetClassNameA(top, className, sizeof className);
    std::printf("window %s %08lx %ld %ld\n", className, static_cast<unsigned long>(GetWindowLongA(top, GWL_STYLE)),
                client.right, client.bottom);
    EnumChildWindows(top, printChild, reinterpret_cast<LPARAM>(&context));
    return 0;
}

int owner(const char* name) {
    HWND top = findTopWindow(name);
    if (!IsWindow(top)) return 1;
    std::printf("%d\n", static_cast<int>(reinterpret_cast<std::intptr_t>(GetWindow(top, GW_OWNER))));
    return 0;
}

int click(const char* name, int id) {
    HWND top = findTopWindow(name);
    HWND button = GetDlgItem(top, id);
    if (!button) return 1;
    // Posted, so a button that opens a modal box does not hold the probe.
    return PostMessageA(button, BM_CLICK, 0, 0) ? 0 : 1;
}

void printColour(HDC dc, HBITMAP bitmap, int width, int height, int x, int y) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    std::printf(" #%02X%02X%02X", p[2], p[1], p[0]);
}

int bitmap(const char* file, int id) {
    HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HBITMAP picture = module ? LoadBitmapA(module, MAKEINTRESOURCEA(id)) : nullptr;
    if (!picture) return 1;
    BITMAP size{};
    GetObjectA(picture, sizeof size, &size);
    std::printf("%ld %ld", size.bmWidth, size.bmHeight);
    HDC dc = GetDC(nullptr);
    printColour(dc, picture, size.bmWidth, size.bmHeight, 10, 10);
    printColour(dc, picture, size.bmWidth, size.bmHeight, size.bmWidth - 1, size.bmHeight - 1);
    std::printf("\n");
    ReleaseDC(nullptr, dc);
    return 0;
}

int icon(const char* file, int id) {
    HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    auto picture = static_cast<HICON>(module ? LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0) : nullptr);
    ICONINFO info{};
    if (!picture || !GetIconInfo(picture, &info)) return 1;
    BITMAP size{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof size, &size);
    std::printf("%ld %ld %d\n", size.bmWidth, size.bmHeight, size.bmBitsPixel);
    return 0;
}

int makeVolatile(const char* key) {
    HKEY made = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &made, nullptr) !=
        ERROR_SUCCESS)
        return 1;
    RegCloseKey(made);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "list" && argc == 3) return list(argv[2], 397, 244);
    if (verb == "list" && argc == 5) return list(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (verb == "owner" && argc == 3) return owner(argv[2]);
    if (verb == "click" && argc == 4) return click(argv[2], std::atoi(argv[3]));
    if (verb == "bitmap" && argc == 4) return bitmap(argv[2], std::atoi(argv[3]));
    if (verb == "icon" && argc == 4) return icon(argv[2], std::atoi(argv[3]));
    if (verb == "volatile" && argc == 3) return makeVolatile(argv[2]);
    std::fprintf(stderr, "usage: win_probe list TITLE|#NUMBER [UNITS_WIDE UNITS_HIGH] | owner TITLE | click TITLE ID | bitmap FILE ID | icon FILE ID | volatile KEY\n");
    return 2;
}

// The preview on Windows: a child window of the display-settings dialog's window, the
// preview bitmap (resource 112) painted at its top-left at its own size over the class's
// black background, until the parent takes the window away.
#include "platform/config_dialog.h"
#include "platform/message_box.h"
#include "resources/windows/resource_ids.h"

#include <windows.h>

#include "platform/win32/window_number.h"

namespace tarnel::platform {

namespace {

constexpr const char* kPreviewClass = "TarnelPreview";

// The bitmap lives as long as the run; the window reaches it through its user data.
struct PreviewPicture {
    HBITMAP bitmap = nullptr;
    PreviewPicture() = default;
    PreviewPicture(const PreviewPicture&) = delete;
    PreviewPicture& operator=(const PreviewPicture&) = delete;
    ~PreviewPicture() {
        if (bitmap) DeleteObject(bitmap);
    }
};

void paint(HWND window, HBITMAP bitmap) {
    PAINTSTRUCT paint{};
    HDC target = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    EndPaint(window, &paint);
}

LRESULT CALLBACK previewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* picture = reinterpret_cast<PreviewPicture*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        picture = static_cast<PreviewPicture*>(create->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
        picture->bitmap = LoadBitmapA(create->hInstance, MAKEINTRESOURCEA(IDB_PREVIEW));
        return 0;
    }
    case WM_PAINT:
        // Without the bitmap the window keeps its black background.
        if (picture && picture->bitmap) {
            paint(window, picture->bitmap);
            return 0;
        }
        break;
    case WM_DESTROY:
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The show command the process was started with, as the entry point received it.
int startShowCommand() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

bool runPreviewWindow(std::uint64_t parentWindow) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = previewProc;
    windowClass.hInstance = instance;
    // Looked up in the program's own module, which holds no icon 32512: the class has none.
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(32512));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kPreviewClass;
    RegisterClassA(&windowClass);

    HWND parent = windowFromNumber(parentWindow);
    RECT area{};
    GetClientRect(parent, &area);
    AdjustWindowRect(&area, WS_CHILD | WS_VISIBLE, FALSE);
    PreviewPicture picture;
    HWND window = CreateWindowExA(0, kPreviewClass, "Tarnel3D", WS_CHILD | WS_VISIBLE, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, parent, nullptr, instance,
                                  &picture);
    if (!window) {
        showMessageBox("Cannot creat window!", "ERROR");
        return false;
    }
    ShowWindow(window, startShowCommand());
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

}  // namespace tarnel::platform

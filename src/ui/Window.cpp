#include "ui/Window.h"

#include "base/Errors.h"

namespace kv::ui {

WindowClass::WindowClass(const std::string& name, WNDPROC proc, HICON icon, HICON smallIcon)
    : name_(name), instance_(GetModuleHandleA(nullptr)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance_;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name_.c_str();
    if (!RegisterClassExA(&wc)) throw Error("Cannot register the window class " + name_);
}

WindowClass::~WindowClass() { UnregisterClassA(name_.c_str(), instance_); }

void UniqueWindow::reset(HWND h) {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = h;
}

int runMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace kv::ui

#pragma once
// Owners of a registered window class and of a window handle.
#include <windows.h>

#include <string>

namespace kv::ui {

// A window class registered for as long as the object lives.
class WindowClass {
public:
    WindowClass(const std::string& name, WNDPROC proc, HICON icon = nullptr, HICON smallIcon = nullptr);
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    const std::string& name() const { return name_; }
    HINSTANCE instance() const { return instance_; }

private:
    std::string name_;
    HINSTANCE instance_;
};

// Owns an HWND and destroys it with the object.
class UniqueWindow {
public:
    UniqueWindow() = default;
    explicit UniqueWindow(HWND h) : hwnd_(h) {}
    ~UniqueWindow() { reset(); }
    UniqueWindow(UniqueWindow&& o) noexcept : hwnd_(o.release()) {}
    UniqueWindow& operator=(UniqueWindow&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    HWND get() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }
    HWND release() {
        HWND h = hwnd_;
        hwnd_ = nullptr;
        return h;
    }
    void reset(HWND h = nullptr);

private:
    HWND hwnd_ = nullptr;
};

// Runs the message loop until WM_QUIT; returns its exit code.
int runMessageLoop();

}  // namespace kv::ui

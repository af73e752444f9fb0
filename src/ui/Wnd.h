#pragma once
// One object per window with a virtual message procedure. Windows of our own
// classes are attached at WM_NCCREATE; windows of system classes (list view,
// button, ...) are subclassed after creation so the object sees their messages.
// A parent hands WM_NOTIFY, WM_COMMAND, WM_DRAWITEM, WM_MEASUREITEM, the scroll
// and the colour messages to the child object that sent them.
#include <windows.h>

#include <string>

namespace kv::ui {

struct CreateArgs {
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND parent = nullptr;
    UINT id = 0;  // child windows: the control identifier
    HMENU menu = nullptr;  // top-level windows
};

// A fresh control identifier, unique in the process.
UINT allocateControlId();

class Wnd {
public:
    Wnd() = default;
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool handleAllocated() const { return hwnd_ != nullptr; }
    // A window of a system class (edit, static, ...) that this object subclassed.
    bool subclassed() const { return originalProc_ != nullptr; }
    static Wnd* fromHandle(HWND hwnd);
    // Registers a window class whose procedure dispatches to Wnd objects. Safe
    // to call again with the same name.
    static void registerClass(const std::string& name, UINT style = CS_DBLCLKS, HICON icon = nullptr,
                              HICON smallIcon = nullptr,
                              HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

    // The object's message procedure. Overrides call Wnd::wndProc for the default
    // handling: reflection, then the class's own procedure.
    virtual LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp);
    // Calls the window's original procedure (subclassed) or DefWindowProcA.
    LRESULT defaultProc(UINT msg, WPARAM wp, LPARAM lp);
    // A message this window sent to its parent, handed back. Set handled to use
    // the result.
    virtual LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled);

    void destroyWindow();

protected:
    void createWindow(const CreateArgs& args);
    // Takes over a window that something else created (a control's own child,
    // such as a list view's header), so this object sees its messages.
    void subclassWindow(HWND hwnd);
    // Gives such a window back to its owner without destroying it.
    void releaseWindow();
    // Last message of the window; the object lets go of the handle after it.
    virtual void windowDestroyed() {}

private:
    static LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void attach(HWND hwnd, bool subclass);
    void detach();

    HWND hwnd_ = nullptr;
    WNDPROC originalProc_ = nullptr;
};

// The child object a notification-like message comes from, or null.
Wnd* reflectionTarget(HWND parent, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace kv::ui

#include "TestInput.h"

#include <map>

namespace kv::uitest {

namespace {

template <class T>
std::map<UINT_PTR, T*>& timers() {
    static std::map<UINT_PTR, T*> m;
    return m;
}

BOOL CALLBACK findBox(HWND hwnd, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::string windowText(HWND h) {
    char buf[1024] = {};
    if (h) GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

}  // namespace

void sendClick(HWND hwnd, int x, int y) {
    LPARAM pos = MAKELPARAM(x, y);
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, pos);
}

void sendDrag(HWND hwnd, POINT from, POINT to) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

void sendDragOnto(HWND source, POINT from, HWND target, const std::function<void()>& whileOver) {
    RECT box{};
    GetWindowRect(target, &box);
    POINT over{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ScreenToClient(source, &over);
    SendMessageA(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageA(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 20, from.y + 20));
    SendMessageA(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    if (whileOver) whileOver();
    SendMessageA(source, WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
}

void postKey(HWND hwnd, WORD key) {
    PostMessageA(hwnd, WM_KEYDOWN, key, 1);
    PostMessageA(hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

TimerAction::TimerAction(int delayMs, std::function<void()> action) : action_(std::move(action)) {
    id_ = SetTimer(nullptr, 0, static_cast<UINT>(delayMs), &TimerAction::tick);
    timers<TimerAction>()[id_] = this;
}

TimerAction::~TimerAction() {
    if (id_) {
        KillTimer(nullptr, id_);
        timers<TimerAction>().erase(id_);
    }
}

void CALLBACK TimerAction::tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = timers<TimerAction>().find(id);
    if (it == timers<TimerAction>().end()) return;
    TimerAction* self = it->second;
    timers<TimerAction>().erase(it);
    self->id_ = 0;
    self->ran_ = true;
    self->action_();
}

HWND findMessageBox() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

SeenBox readMessageBox(HWND box) {
    SeenBox s;
    if (!box) return s;
    s.found = true;
    s.caption = windowText(box);
    // The message text is the static control with the identifier 0xFFFF.
    s.text = windowText(GetDlgItem(box, 0xFFFF));
    return s;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button) : button_(button) {
    id_ = SetTimer(nullptr, 0, 50, &MessageBoxAnswerer::tick);
    timers<MessageBoxAnswerer>()[id_] = this;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (id_) {
        KillTimer(nullptr, id_);
        timers<MessageBoxAnswerer>().erase(id_);
    }
}

void CALLBACK MessageBoxAnswerer::tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = timers<MessageBoxAnswerer>().find(id);
    if (it == timers<MessageBoxAnswerer>().end()) return;
    MessageBoxAnswerer* self = it->second;
    HWND box = findMessageBox();
    if (!box) return;
    KillTimer(nullptr, id);
    timers<MessageBoxAnswerer>().erase(it);
    self->id_ = 0;
    self->seen_ = readMessageBox(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->button_, BN_CLICKED), 0);
}

}  // namespace kv::uitest

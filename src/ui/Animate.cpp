#include "ui/Animate.h"

#include <commctrl.h>

#include "ui/CommonControls.h"

namespace kv::ui {

namespace {
// The clips' resource numbers in shell32.
int commonAviId(CommonAvi avi) {
    switch (avi) {
    case CommonAvi::FindFolder: return 150;
    case CommonAvi::FindFile: return 151;
    case CommonAvi::FindComputer: return 152;
    case CommonAvi::CopyFiles: return 160;
    case CommonAvi::CopyFile: return 161;
    case CommonAvi::RecycleFile: return 162;
    case CommonAvi::EmptyRecycle: return 163;
    case CommonAvi::DeleteFile: return 164;
    case CommonAvi::None: break;
    }
    return 0;
}
}  // namespace

Animate::Animate() { setBounds(0, 0, 100, 80); }

Animate::~Animate() {
    // The window goes first: it may still read the clip from the library.
    destroyWindow();
    freeLibrary();
}

void Animate::freeLibrary() {
    if (ownLibrary_) FreeLibrary(ownLibrary_);
    ownLibrary_ = nullptr;
}

void Animate::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = ANIMATE_CLASSA;
    // A timer, not a thread of the control's own: frames and notifications
    // come in the main thread's message loop.
    args.style |= ACS_CENTER | ACS_TRANSPARENT | ACS_TIMER;
}

void Animate::createWnd() {
    Control::createWnd();
    const bool wasActive = active_;
    active_ = false;
    if (open() && wasActive) play();
}

bool Animate::open() {
    opened_ = false;
    if (!hwnd()) return true;
    if (name_.empty() && !id_) {
        SendMessageA(hwnd(), ACM_OPENA, 0, 0);  // closes the clip shown
        return false;
    }
    LPARAM which = id_ ? reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(id_)) : reinterpret_cast<LPARAM>(name_.c_str());
    HINSTANCE module = module_ ? module_ : GetModuleHandleA(nullptr);
    opened_ = SendMessageA(hwnd(), ACM_OPENA, reinterpret_cast<WPARAM>(module), which) != 0;
    return opened_;
}

bool Animate::setResName(HINSTANCE module, const std::string& name) {
    setActive(false);
    freeLibrary();
    module_ = module;
    name_ = name;
    id_ = 0;
    return open();
}

bool Animate::setResId(HINSTANCE module, int id) {
    setActive(false);
    freeLibrary();
    module_ = module;
    name_.clear();
    id_ = id;
    return open();
}

bool Animate::setCommonAvi(CommonAvi avi) {
    setActive(false);
    freeLibrary();
    name_.clear();
    id_ = commonAviId(avi);
    module_ = nullptr;
    if (id_) {
        ownLibrary_ = LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        module_ = ownLibrary_;
        if (!module_) id_ = 0;
    }
    return open() && id_;
}

void Animate::play() {
    auto playTo = [&](int stop) {
        return SendMessageA(hwnd(), ACM_PLAY, static_cast<WPARAM>(repetitions),
                            MAKELONG(static_cast<WORD>(startFrame), static_cast<WORD>(stop))) != 0;
    };
    // A clip shorter than the stop frame (another system's copy of a common
    // clip) refuses the play: it then runs to its own end.
    active_ = opened_ && (playTo(stopFrame) || (stopFrame >= 0 && playTo(-1)));
}

void Animate::setActive(bool active) {
    if (active == active_) return;
    if (active) {
        if (hwnd()) play();
        else active_ = true;  // remembered until the window exists
        return;
    }
    active_ = false;
    if (hwnd()) SendMessageA(hwnd(), ACM_STOP, 0, 0);
}

void Animate::seek(int frame) {
    setActive(false);
    if (hwnd() && opened_)
        SendMessageA(hwnd(), ACM_PLAY, 1, MAKELONG(static_cast<WORD>(frame), static_cast<WORD>(frame)));
}

LRESULT Animate::reflected(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == ACN_STOP) {
        handled = true;
        active_ = false;
    }
    return 0;
}

}  // namespace kv::ui

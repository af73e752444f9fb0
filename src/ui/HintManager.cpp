#include "ui/HintManager.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/Control.h"

namespace kv::ui {

namespace {

// The hint sits below the arrow of the cursor.
constexpr int kBelowCursor = 20;

}  // namespace

HintManager::HintManager(Application& app) : app_(app) {
    clock_.onTimer = [this](Timer&) { apply(state_.timerExpired()); };
}

HintPauses HintManager::pauses() const { return {app_.hintPause, app_.hintShortPause, app_.hintHidePause}; }

bool HintManager::hinted(const Control& c) const { return app_.showHint() && !suspended() && c.showsHint(); }

void HintManager::mouseMove(Control& c, POINT point) {
    cursorPos_ = point;
    if (&c != control_.get()) enter(c, true);
    else if (!PtInRect(&cursorRect_, point)) enter(c, false);
}

void HintManager::enter(Control& c, bool announce) {
    control_ = &c;
    cursorRect_ = c.clientRect();
    if (announce) {
        // A handler may tune the pauses for this place before they start.
        const std::string& text = c.inheritedHint();
        if (text != app_.hint()) app_.setHint(text);
        else if (app_.onHint) app_.onHint(app_);
    }
    apply(state_.enter(pauses(), hinted(c)));
}

void HintManager::mouseLeave(Control& c) {
    // A disabled child's hint shows through its parent, and goes with it.
    Control* current = control_.get();
    const bool throughParent = current && current->parent() == &c && !current->enabled();
    if (current != &c && !throughParent) return;
    control_.reset();
    apply(state_.leave(pauses()));
}

void HintManager::cancel() { apply(state_.cancel()); }

void HintManager::reset() { apply(state_.reset()); }

void HintManager::suspend() {
    if (suspended_++ == 0) reset();
}

void HintManager::resume() {
    if (suspended_ > 0) --suspended_;
}

void HintManager::setWindowClass(HintWindowClass cls) {
    if (!cls) cls = &defaultHintWindow;
    if (cls == class_) return;
    class_ = cls;
    window_.reset();
}

void HintManager::apply(HintTimer::Step step) {
    if (step.hide && window_) window_->hide();
    if (step.timer == HintTimer::kStop) {
        clock_.setEnabled(false);
    } else if (step.timer != HintTimer::kKeep) {
        // Each arming counts from now; a zero interval would not run at all.
        clock_.setInterval(static_cast<UINT>(std::max(step.timer, 1)));
        clock_.setEnabled(true);
    }
    if (step.show) activate();
}

void HintManager::activate() {
    Control* c = control_.get();
    bool canShow = c && c->hwnd() && IsWindowVisible(c->hwnd());
    std::string text;
    HintInfo info;
    if (canShow) {
        info.hintControl = c;
        info.cursorPos = cursorPos_;
        info.cursorRect = cursorRect_;
        POINT screen = cursorPos_;
        ClientToScreen(c->hwnd(), &screen);
        info.hintPos = {screen.x, screen.y + kBelowCursor};
        RECT work = Application::workArea();
        info.hintMaxWidth = work.right - work.left;
        info.hintColor = app_.hintColor.value_or(GetSysColor(COLOR_INFOBK));
        info.hideTimeout = app_.hintHidePause;
        text = c->inheritedHint();
        if (app_.onShowHint) {
            try {
                app_.onShowHint(app_, text, canShow, info);
            } catch (...) {
                canShow = false;
                app_.handleCurrentException();
            }
        }
        // The handler may have run messages that took the mouse elsewhere.
        canShow = canShow && !text.empty() && control_.get() == c && c->hwnd();
    }
    if (!canShow) {
        if (window_) window_->hide();
        apply(state_.shown(false, 0));
        return;
    }
    cursorRect_ = info.cursorRect;
    if (!window_) window_ = class_();
    window_->color = info.hintColor;
    RECT r = window_->calcHintRect(std::max(info.hintMaxWidth, 1), text);
    OffsetRect(&r, info.hintPos.x, info.hintPos.y);
    POINT cursor = info.cursorPos;
    ClientToScreen(c->hwnd(), &cursor);
    window_->activateHint(keepHintOnScreen(r, info.hintPos, cursor.y), text);
    apply(state_.shown(true, info.hideTimeout));
}

}  // namespace kv::ui

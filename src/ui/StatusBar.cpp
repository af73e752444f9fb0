#include "ui/StatusBar.h"

#include <commctrl.h>

#include "ui/Application.h"
#include "ui/CommonControls.h"

namespace kv::ui {

StatusBar::StatusBar() { setAlign(Align::Bottom); }

void StatusBar::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = STATUSCLASSNAMEA;
    // The layout places it; the control must not move itself.
    args.style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
}

void StatusBar::createWnd() {
    Control::createWnd();
    applyParts();
}

void StatusBar::applyParts() {
    if (!hwnd() || panels_.empty()) return;
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        x += panels_[i].width;
        edges.push_back(i + 1 == panels_.size() ? -1 : x);
    }
    SendMessageA(hwnd(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < panelCount(); ++i) applyText(i);
}

void StatusBar::applyText(int i) {
    if (!hwnd()) return;
    const StatusPanel& p = panels_[static_cast<size_t>(i)];
    if (p.ownerDraw)
        SendMessageA(hwnd(), SB_SETTEXTA, static_cast<WPARAM>(i) | SBT_OWNERDRAW, static_cast<LPARAM>(i));
    else
        SendMessageA(hwnd(), SB_SETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(p.text.c_str()));
}

void StatusBar::setPanels(const std::vector<StatusPanel>& panels) {
    panels_ = panels;
    applyParts();
}

void StatusBar::setPanelText(int panel, const std::string& text) {
    if (panel < 0 || panel >= panelCount()) return;
    panels_[static_cast<size_t>(panel)].text = text;
    applyText(panel);
}

std::string StatusBar::panelText(int panel) const {
    if (panel < 0 || panel >= panelCount()) return {};
    return panels_[static_cast<size_t>(panel)].text;
}

LRESULT StatusBar::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_DRAWITEM) {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        int panel = static_cast<int>(d->itemID);
        if (onDrawPanel && panel >= 0 && panel < panelCount()) onDrawPanel(*this, panel, d->hDC, d->rcItem);
        handled = true;
        return TRUE;
    }
    return Control::reflected(msg, wp, lp, handled);
}

StatusBarStatus::StatusBarStatus(StatusBar& bar) : bar_(bar) {}

// Here, where the hourglass is a complete type.
StatusBarStatus::~StatusBarStatus() = default;

void StatusBarStatus::ShowStatus(const std::string& text, bool busy) {
    if (busy) {
        if (!hourglass_) hourglass_ = std::make_unique<ScopedHourglass>();
        bar_.setPanelText(1, text);
    } else {
        hourglass_.reset();
        if (onIdle) onIdle();
    }
    if (bar_.hwnd()) UpdateWindow(bar_.hwnd());
}

}  // namespace kv::ui

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
    if (sizeGrip_)
        args.style |= SBARS_SIZEGRIP;
    else
        args.style &= ~static_cast<DWORD>(SBARS_SIZEGRIP);
}

void StatusBar::createWnd() {
    Control::createWnd();
    applyParts();
    SendMessageA(hwnd(), SB_SIMPLE, simple_, 0);
    if (simple_)
        setSimpleText(simpleText_);
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
    if (p.ownerDraw) {
        SendMessageA(hwnd(), SB_SETTEXTA, static_cast<WPARAM>(i) | SBT_OWNERDRAW, static_cast<LPARAM>(i));
        return;
    }
    // The control centres text after one tab and right-aligns it after two.
    std::string text = p.alignment == PanelAlignment::Center  ? "\t" + p.text
                       : p.alignment == PanelAlignment::Right ? "\t\t" + p.text
                                                              : p.text;
    SendMessageA(hwnd(), SB_SETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::setPanelWidth(int panel, int width) {
    if (panel < 0 || panel >= panelCount()) return;
    panels_[static_cast<size_t>(panel)].width = width < 0 ? 0 : width;
    applyParts();
    placeChildren();
}

int StatusBar::panelWidth(int panel) const {
    if (panel < 0 || panel >= panelCount()) return 0;
    return panels_[static_cast<size_t>(panel)].width;
}

int StatusBar::panelAt(int x) const {
    int right = 0;
    for (int i = 0; i < panelCount(); ++i) {
        right += panels_[static_cast<size_t>(i)].width;
        if (x < right) return i;
    }
    return -1;
}

RECT StatusBar::panelRect(int panel) const {
    RECT r{};
    if (hwnd()) SendMessageA(hwnd(), SB_GETRECT, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(&r));
    return r;
}

void StatusBar::setSimplePanel(bool simple) {
    simple_ = simple;
    if (hwnd()) {
        SendMessageA(hwnd(), SB_SIMPLE, simple, 0);
        if (simple) setSimpleText(simpleText_);
    }
}

void StatusBar::setSimpleText(const std::string& text) {
    simpleText_ = text;
    if (hwnd()) SendMessageA(hwnd(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
}

void StatusBar::setSizeGrip(bool grip) {
    if (grip == sizeGrip_) return;
    sizeGrip_ = grip;
    if (hwnd()) recreateWnd();
}

void StatusBar::placeInPanel(Control& child, int panel) {
    placed_.emplace_back(&child, panel);
    placeChildren();
}

void StatusBar::placeChildren() {
    for (auto& [child, panel] : placed_) {
        RECT r = panelRect(panel);
        if (child->hwnd() && r.right > r.left)
            child->setBounds(r.left + 1, r.top + 1, r.right - r.left - 2, r.bottom - r.top - 2);
    }
}

LRESULT StatusBar::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = Control::wndProc(msg, wp, lp);
    if (msg == WM_SIZE) placeChildren();
    return r;
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
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == NM_CLICK && onPanelClick) {
        auto* m = reinterpret_cast<NMMOUSE*>(lp);
        onPanelClick(*this, m->dwItemSpec == SB_SIMPLEID ? -1 : static_cast<int>(m->dwItemSpec));
        handled = true;
        return FALSE;
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

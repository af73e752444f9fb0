#include "controls/small/TreeAndTrackWin32.h"

#include <windowsx.h>

#include "controls/small/SmallControlRules.h"

namespace kv::ui {

THETreeView::THETreeView() = default;

void THETreeView::createParams(CreateArgs& args) {
    TreeView::createParams(args);
    // The program shows its own hints; the tree's label tips would double them.
    args.style |= TVS_NOTOOLTIPS;
}

void THETreeView::SetNodeBold(Node node, bool bold) {
    HTREEITEM item = itemOf(node);
    if (!item || !hwnd()) return;
    TVITEMA tv{};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.stateMask = TVIS_BOLD;
    tv.state = bold ? TVIS_BOLD : 0;
    SendMessageA(hwnd(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

bool THETreeView::NodeBold(Node node) const {
    HTREEITEM item = itemOf(node);
    if (!item || !hwnd()) return false;
    return (SendMessageA(hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_BOLD) & TVIS_BOLD) != 0;
}

void THETreeView::sortLevel(Node parent) {
    sortChildren(parent, [this](Node a, Node b) {
        const std::string ta = textOf ? textOf(a) : std::string();
        const std::string tb = textOf ? textOf(b) : std::string();
        return CompareStringA(LOCALE_USER_DEFAULT, 0, ta.c_str(), -1, tb.c_str(), -1) - CSTR_EQUAL;
    });
}

void THETreeView::SetSortType(TSortType type) {
    sortType_ = type;
    if (type != TSortType::stText && type != TSortType::stBoth) return;
    if (!hwnd()) return;
    // Every level that the tree holds now.
    std::vector<HTREEITEM> pending{TVI_ROOT};
    sortLevel(nullptr);
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        for (HTREEITEM child = TreeView_GetChild(hwnd(), item); child; child = TreeView_GetNextSibling(hwnd(), child)) {
            TVITEMA tv{};
            tv.mask = TVIF_PARAM;
            tv.hItem = child;
            SendMessageA(hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
            if (TreeView_GetChild(hwnd(), child)) {
                sortLevel(reinterpret_cast<Node>(tv.lParam));
                pending.push_back(child);
            }
        }
    }
}

LRESULT THETreeView::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEMOVE && AutoScroll) {
        LOGFONTA lf{};
        GetObjectA(font(), sizeof lf, &lf);
        const RECT c = clientRect();
        const LONG style = GetWindowLongA(hwnd(), GWL_STYLE);
        const AutoScrollStep step = AutoScrollDirection({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)},
                                                        {c.left, c.top, c.right, c.bottom}, lf.lfHeight,
                                                        (style & WS_VSCROLL) != 0, (style & WS_HSCROLL) != 0);
        if (step.dy) SendMessageA(hwnd(), WM_VSCROLL, step.dy < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        if (step.dx) SendMessageA(hwnd(), WM_HSCROLL, step.dx < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
    }
    return TreeView::wndProc(msg, wp, lp);
}

void TrhTrackBar::SetEnableRange(bool enable) {
    enableRange_ = enable;
    setSelectionRange(enable, start_, end_);
}

void TrhTrackBar::SetSelection(int start, int end) {
    start_ = start;
    end_ = end;
    setSelectionRange(enableRange_, start, end);
}

}  // namespace kv::ui

#include "controls/ListHelpers.h"

#include <cstring>

namespace kv::ui {

void AutoSizeListColumns(TCustomEnhListView& list) {
    for (int i = 0; i < list.ColumnCount(); ++i) {
        int kept = list.Column(i).width;
        if (kept >= 0 || !list.hwnd()) continue;
        SendMessageA(list.hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                     kept == -1 ? LVSCW_AUTOSIZE : LVSCW_AUTOSIZE_USEHEADER);
        list.SetColumnWidth(i, list.ColumnWidth(i));
    }
}

ListSelection SaveListSelection(const TCustomEnhListView& list, const std::function<const void*(int row)>& recordAt) {
    ListSelection s;
    if (!list.hwnd()) return s;
    for (int r = -1, last = -1; (r = static_cast<int>(SendMessageA(list.hwnd(), LVM_GETNEXTITEM,
                                                                    static_cast<WPARAM>(r), LVNI_SELECTED))) > last;
         last = r)
        s.selected.push_back(recordAt(r));
    if (int f = list.FocusedRow(); f >= 0) s.focused = recordAt(f);
    return s;
}

void RestoreListSelection(TCustomEnhListView& list, const ListSelection& selection,
                          const std::function<int(const void* record)>& rowOf) {
    if (!list.hwnd()) return;
    list.ClearRowStates();
    LVITEMA it{};
    it.stateMask = LVIS_SELECTED;
    it.state = LVIS_SELECTED;
    for (const void* record : selection.selected)
        if (int row = rowOf(record); row >= 0)
            SendMessageA(list.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    if (selection.focused) {
        if (int row = rowOf(selection.focused); row >= 0) {
            it.stateMask = LVIS_FOCUSED;
            it.state = LVIS_FOCUSED;
            SendMessageA(list.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
            SendMessageA(list.hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        }
    }
}

bool PopupMenuAtItem(PopupMenu& menu, TCustomEnhListView* list, TreeView* tree) {
    RECT r{};
    HWND owner = nullptr;
    if (list && list->hwnd() && list->FocusedRow() >= 0) {
        r.left = LVIR_LABEL;
        SendMessageA(list->hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(list->FocusedRow()),
                     reinterpret_cast<LPARAM>(&r));
        owner = list->hwnd();
    } else if (tree && tree->hwnd() && tree->selected()) {
        // The message takes the item in the rectangle's first bytes.
        HTREEITEM item = tree->itemOf(tree->selected());
        std::memcpy(&r, &item, sizeof item);
        SendMessageA(tree->hwnd(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        owner = tree->hwnd();
    } else {
        return false;
    }
    POINT p{r.left + 8, (r.top + r.bottom) / 2};
    ClientToScreen(owner, &p);
    menu.Popup(GetAncestor(owner, GA_ROOT), p.x, p.y);
    return true;
}

}  // namespace kv::ui

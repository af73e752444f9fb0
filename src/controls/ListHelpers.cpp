#include "controls/ListHelpers.h"

#include <vector>

namespace kv::ui {

void AutoSizeListColumns(TCustomEnhListView& list) {
    const int count = list.ColumnCount();
    if (!list.hwnd() || count == 0) return;
    std::vector<int> order(static_cast<size_t>(count));
    if (!SendMessageA(list.hwnd(), LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count),
                      reinterpret_cast<LPARAM>(order.data())))
        for (int i = 0; i < count; ++i) order[static_cast<size_t>(i)] = i;
    const int shownLast = order.back();
    const bool fillShownLast = list.Column(shownLast).width == -2;
    for (int i = 0; i < count; ++i) {
        const int kept = list.Column(i).width;
        if (kept >= 0) continue;
        // Kept negative: the next call sizes it again to what the list shows then.
        list.SetColumnWidth(i, kept);
    }
    // The column shown last takes the rest of the view.
    if (fillShownLast) {
        RECT client{};
        GetClientRect(list.hwnd(), &client);
        int others = 0;
        for (int i = 0; i < count; ++i)
            if (i != shownLast) others += list.ColumnWidth(i);
        if (const int rest = client.right - others; rest > list.ColumnWidth(shownLast))
            SendMessageA(list.hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(shownLast), rest);
    }
}

ListSelection SaveListSelection(const TCustomEnhListView& list, const std::function<const void*(int row)>& recordAt) {
    ListSelection s;
    if (!list.hwnd()) return s;
    for (int r : list.SelectedRows()) s.selected.push_back(recordAt(r));
    if (int f = list.FocusedRow(); f >= 0) s.focused = recordAt(f);
    return s;
}

void RestoreListSelection(TCustomEnhListView& list, const ListSelection& selection,
                          const std::function<int(const void* record)>& rowOf) {
    if (!list.hwnd()) return;
    LVITEMA it{};
    it.stateMask = LVIS_SELECTED;
    it.state = LVIS_SELECTED;
    // Every row was and is selected: a re-sort keeps it so, and setting each
    // row again would cost a message per row.
    const int rows = list.ItemCount();
    const bool all = static_cast<int>(selection.selected.size()) == rows && list.SelectedCount() == rows;
    if (!all) {
        list.ClearRowStates();
        for (const void* record : selection.selected)
            if (int row = rowOf(record); row >= 0)
                SendMessageA(list.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    }
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
        r = tree->itemRect(tree->selected());
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

#include "shell/browse/ListLayoutWin32.h"

#include "controls/ListHelpers.h"

namespace kv {

void ApplyListLayout(ui::TExtListView& view, int list, const ColumnsRecord& record) {
    const ColumnPlacement place = PlaceColumns(list, record, static_cast<std::size_t>(view.ColumnCount()));
    HWND window = view.hwnd();
    if (window)
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    view.SetColumnOrder(place.order);
    for (std::size_t i = 0; i < place.widths.size(); ++i)
        view.SetColumnWidth(static_cast<int>(i), place.widths[i]);
    ui::AutoSizeListColumns(view);
    if (window) {
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }
}

bool ReadListLayout(ui::TExtListView& view, ColumnsRecord& record) {
    if (view.ColumnCount() == 0)
        return false;
    std::vector<int> order;
    if (!view.GetColumnOrder(order))
        return false;
    std::vector<int> widths;
    for (int i = 0; i < view.ColumnCount(); ++i)
        widths.push_back(view.ColumnWidth(i));
    SyncColumnsRecord(record, order, widths);
    return true;
}

}  // namespace kv

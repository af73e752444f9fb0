#pragma once
// A kept column layout on a live list view: applied (display order, hidden
// columns at width 0, the rest sized) and read back before it is stored.
#include "controls/VirtualListView.h"
#include "shell/browse/ColumnLayout.h"

namespace kv {

// `list` is the layout's number (ColumnsList).
void ApplyListLayout(ui::TExtListView& view, int list, const ColumnsRecord& record);
// False when the view has no columns or no window: the record is left alone.
bool ReadListLayout(ui::TExtListView& view, ColumnsRecord& record);

}  // namespace kv

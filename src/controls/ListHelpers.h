#pragma once
// Helpers around the lists and trees of the windows: automatic column widths,
// keeping the selection across a re-sort, and a context menu at the row or node
// that has the keyboard's attention.
#include <functional>
#include <vector>

#include "controls/ReportListView.h"
#include "ui/Menu.h"
#include "ui/TreeView.h"

namespace kv::ui {

// Sizes every column whose kept width is negative: -1 to its contents, -2 to
// its header (or contents, if wider). A long virtual list's contents are the
// texts of its first rows and of the rows in view.
void AutoSizeListColumns(TCustomEnhListView& list);

// The selected and focused rows, as the records they show.
struct ListSelection {
    std::vector<const void*> selected;
    const void* focused = nullptr;
};
ListSelection SaveListSelection(const TCustomEnhListView& list, const std::function<const void*(int row)>& recordAt);
// rowOf gives a record's new row, or -1 when it is gone.
void RestoreListSelection(TCustomEnhListView& list, const ListSelection& selection,
                          const std::function<int(const void* record)>& rowOf);

// Pops the menu up at the focused row of the list, else at the selected node
// of the tree; either may be null. False when neither has one.
bool PopupMenuAtItem(PopupMenu& menu, TCustomEnhListView* list, TreeView* tree);

}  // namespace kv::ui

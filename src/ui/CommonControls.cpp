#include "ui/CommonControls.h"

#include <windows.h>
#include <commctrl.h>

namespace kv::ui {

void ensureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES |
                                                 ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

}  // namespace kv::ui

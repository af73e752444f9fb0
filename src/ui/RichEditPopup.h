#pragma once
// The edit popup of the description fields: "Cut", "Copy", "Paste", "Delete"
// and "Select All" for one edit control (a plain or a rich edit). The items
// follow the field when the popup opens: Copy needs a selection, Cut and
// Delete a selection in a field that is not read-only, Paste a field that is
// not read-only.
#include <windows.h>

#include <array>

#include "ui/Control.h"
#include "ui/Menu.h"

namespace kv::ui {

// The items by their Tags.
enum class EditAction { Cut = 1, Copy = 2, Paste = 3, Delete = 4, SelectAll = 5 };

struct EditPopupStates {
    bool cut = false, copy = false, paste = false, del = false, selectAll = true;
};
EditPopupStates EditPopupStatesFor(bool hasSelection, bool readOnly);

class RichEditPopup {
public:
    // A right click or the menu key on `edit` opens the popup; the control
    // must outlive this object.
    explicit RichEditPopup(Control& edit);
    ~RichEditPopup();
    RichEditPopup(const RichEditPopup&) = delete;
    RichEditPopup& operator=(const RichEditPopup&) = delete;

    // Sets the items' enabled states from the field (before each opening).
    void RichEditPopupPopup();
    // Runs the item with the Tag on the field.
    void RichEditMenuClick(EditAction action);
    PopupMenu& menu() { return menu_; }

private:
    Control& edit_;
    PopupMenu menu_;
    std::array<MenuItem*, 5> items_{};
};

}  // namespace kv::ui

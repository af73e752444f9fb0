#include "ui/RichEditPopup.h"

namespace kv::ui {

EditPopupStates EditPopupStatesFor(bool hasSelection, bool readOnly) {
    EditPopupStates s;
    s.copy = hasSelection;
    s.cut = s.del = hasSelection && !readOnly;
    s.paste = !readOnly;
    return s;
}

RichEditPopup::RichEditPopup(Control& edit) : edit_(edit) {
    static constexpr const char* kCaptions[] = {"Cut", "Copy", "Paste", "Delete", "Select All"};
    for (int tag = 1; tag <= 5; ++tag) {
        MenuItem& item = menu_.Items().Add(kCaptions[tag - 1], [this](MenuItem& sender) {
            RichEditMenuClick(static_cast<EditAction>(sender.Tag));
        });
        item.Tag = tag;
        items_[static_cast<std::size_t>(tag - 1)] = &item;
    }
    menu_.OnPopup = [this](PopupMenu&) { RichEditPopupPopup(); };
    edit_.popupMenu = &menu_;
}

RichEditPopup::~RichEditPopup() {
    if (edit_.popupMenu == &menu_)
        edit_.popupMenu = nullptr;
}

void RichEditPopup::RichEditPopupPopup() {
    DWORD start = 0, end = 0;
    bool readOnly = true;
    if (HWND h = edit_.hwnd()) {
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        readOnly = (GetWindowLongA(h, GWL_STYLE) & ES_READONLY) != 0;
    }
    const EditPopupStates s = EditPopupStatesFor(end > start, readOnly);
    const bool enabled[] = {s.cut, s.copy, s.paste, s.del, s.selectAll};
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Enabled() != enabled[i])
            items_[i]->SetEnabled(enabled[i]);
}

void RichEditPopup::RichEditMenuClick(EditAction action) {
    HWND h = edit_.hwnd();
    if (!h)
        return;
    switch (action) {
    case EditAction::Cut: SendMessageA(h, WM_CUT, 0, 0); break;
    case EditAction::Copy: SendMessageA(h, WM_COPY, 0, 0); break;
    case EditAction::Paste: SendMessageA(h, WM_PASTE, 0, 0); break;
    case EditAction::Delete: SendMessageA(h, WM_CLEAR, 0, 0); break;
    case EditAction::SelectAll: SendMessageA(h, EM_SETSEL, 0, -1); break;
    }
}

}  // namespace kv::ui

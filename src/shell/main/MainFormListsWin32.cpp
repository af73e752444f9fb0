// The record behind a row of any item list of the program: the main list,
// the search window's found list and the disk selection's candidates. The
// user list and the compare list register theirs when their windows exist.
#include "shell/main/MainFormWin32.h"

namespace kv {

const ItemHead* MainForm::GetListItemRecord(const ui::TCustomEnhListView& listView, std::ptrdiff_t index) const {
    return itemLists_.record(&listView, index);
}

void MainForm::registerMainLists() {
    itemLists_.add(&list, ItemListKind::Main,
                   [this](std::ptrdiff_t row) { return browse_ ? browse_->browser().recordAt(row) : nullptr; });
}

void MainForm::registerSearchList(TSearchForm& form) {
    FoundListWin32& found = form.FoundList;
    itemLists_.add(&found.View(), ItemListKind::SearchResults, [&found](std::ptrdiff_t row) -> const ItemHead* {
        const TResultList* shown = found.List();
        if (!shown)
            return nullptr;
        if (row < 0) {
            const std::optional<std::size_t> focused = found.FocusedRow();
            return focused ? shown->At(*focused) : nullptr;
        }
        return shown->At(static_cast<std::size_t>(row));
    });
}

void MainForm::RegisterDiskSelectList(TDiskSelectForm& form) {
    // Its popup is drawn as the main window's menus are, with their pictures.
    ui::UseGlyphItems(form.DiskPopup, form.DiskPopup.fonts(), menuGlyphs_);
    ui::TExtListView& view = form.DisksListView;
    itemLists_.add(&view, ItemListKind::DiskSelect,
                   RowsOf(form.Candidates, [&view] { return static_cast<std::ptrdiff_t>(view.FocusedRow()); },
                          [](const Node* disk) -> const ItemHead* { return disk ? disk->record() : nullptr; }));
}

void MainForm::UnregisterItemList(const ui::TCustomEnhListView& listView) { itemLists_.remove(&listView); }

}  // namespace kv

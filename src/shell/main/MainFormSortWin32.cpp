// The main window's sort controls: the sort buttons of the toolbar, the
// direction toggle and the "Arrange by" items, which sort the item list and
// show the column and direction in force for the list shown.
#include "shell/main/MainFormWin32.h"

#include "shell/browse/SortControls.h"
#include "shell/commands/CommandTable.h"

namespace kv {

namespace {

constexpr CommandId kSortItems[] = {CommandId::Sort1, CommandId::Sort2, CommandId::Sort3, CommandId::Sort4,
                                    CommandId::Sort5, CommandId::Sort6, CommandId::Sort7, CommandId::Sort8};

constexpr int kProgressPanel = 2;

}  // namespace

void MainForm::bindListSort() {
    sortFeedback_ = std::make_unique<ListSortFeedback>(statusBar, kProgressPanel, *prompt_);
    CatalogBrowser& browser = browse_->browser();
    browser.setSortProgress(sortFeedback_.get());
    browser.setSortInterrupt(sortFeedback_.get());
    browser.onSorting = [this](bool sorting) { ListSorting(sorting); };
}

void MainForm::ListSorting(bool sorting) {
    // The active window takes no input while the rows move under it.
    if (sorting) {
        sortDisabledWindow_ = hwnd() && GetActiveWindow() == hwnd();
        if (sortDisabledWindow_) {
            sortFocus_ = GetFocus();
            EnableWindow(hwnd(), FALSE);
        }
        return;
    }
    sortFeedback_->end();
    if (sortDisabledWindow_) {
        sortDisabledWindow_ = false;
        EnableWindow(hwnd(), TRUE);
        // Disabling took the focus away; the control that had it gets it back.
        if (sortFocus_ && IsWindow(sortFocus_))
            SetFocus(sortFocus_);
        sortFocus_ = nullptr;
    }
}

void MainForm::sortCommand(CommandId command) {
    CatalogBrowser& browser = browse_->browser();
    if (command == CommandId::ReverseSort) {
        browser.setSortReverse(!browser.sortReverse());
        return;
    }
    const int column = CommandInfoOf(command).checkValue;
    browser.sortBy(static_cast<std::uint8_t>(column));
}

HBITMAP MainForm::sortPicture(std::string_view name) {
    for (auto& [loaded, bitmap] : sortPictures_)
        if (loaded == name)
            return bitmap.get();
    // Kept even when missing, so a program without the pictures asks once.
    sortPictures_.emplace_back(std::string(name), ui::GdiObject<HBITMAP>(LoadBitmapA(GetModuleHandleA(nullptr),
                                                                                     std::string(name).c_str())));
    return sortPictures_.back().second.get();
}

void MainForm::applySortControls() {
    const SortListMode mode = browse_->browser().diskListMode() ? SortListMode::DiskList : SortListMode::FileList;
    for (int column = 0; column < 8; ++column) {
        const std::optional<std::string> caption = ArrangeByCaption(mode, column);
        commandStates_[kSortItems[column]].caption = caption ? *caption : CommandInfoOf(kSortItems[column]).caption;
    }
    if (!sortControls_.update(mode))
        return;
    if (ui::MenuItem* last = commandMenus_.item(CommandId::Sort8))
        last->SetVisible(mode == SortListMode::FileList);
    for (auto& [id, button] : toolbarButtons_) {
        const int column = static_cast<int>(Index(id)) - static_cast<int>(Index(CommandId::Sort1));
        if (column < 0 || column > 3)
            continue;
        const SortButtonLook look = SortButtonLookOf(mode, column);
        button->hint = std::string(look.hint);
        if (!look.picture.empty())
            if (HBITMAP picture = sortPicture(look.picture))
                button->setGlyph(picture, 2);
    }
}

}  // namespace kv

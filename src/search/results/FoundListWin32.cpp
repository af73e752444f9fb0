#include "search/results/FoundListWin32.h"

#include <commctrl.h>

#include <atomic>

#include "base/ScopedFlag.h"
#include "controls/ListHelpers.h"
#include "ui/Application.h"
#include "ui/IconOutline.h"

namespace kv {

namespace {

// The list's window takes no input while the rows move under it; the control
// that had the focus gets it back.
class InputOff {
public:
    explicit InputOff(HWND control) : window_(control ? GetAncestor(control, GA_ROOT) : nullptr) {
        if (!window_ || !IsWindowEnabled(window_)) {
            window_ = nullptr;
            return;
        }
        focus_ = GetFocus();
        EnableWindow(window_, FALSE);
    }
    ~InputOff() {
        if (!window_)
            return;
        EnableWindow(window_, TRUE);
        if (focus_ && IsWindow(focus_))
            SetFocus(focus_);
    }
    InputOff(const InputOff&) = delete;
    InputOff& operator=(const InputOff&) = delete;

private:
    HWND window_;
    HWND focus_ = nullptr;
};

}  // namespace

FoundListWin32::FoundListWin32() {
    // In the order of FoundColumn.
    view_.AddColumn("File, Folder or Disk", 160);
    view_.AddColumn("Ext", 50);
    view_.AddColumn("Item Size", 90, LVCFMT_RIGHT);
    view_.AddColumn("Item Date", 80, LVCFMT_RIGHT);
    view_.AddColumn("Item Time", 70, LVCFMT_RIGHT);
    view_.AddColumn("Media Name", 110);
    view_.AddColumn("Media Type", 90);
    view_.AddColumn("Location", 220);
    view_.AddColumn("Category", 90);
    view_.AddColumn("Description", 200);
}

void FoundListWin32::Create(ui::Control& parent, Services services) {
    services_ = std::move(services);
    view_.SetVirtualMode(true);
    view_.create(&parent);
    view_.OnVMGetItemInfo = [this](ui::TExtListView&, int item, int sub, ui::TLVVMMaskItems mask, int& image, LPARAM&,
                                   int&, int&, std::string& text) { CellInfo(item, sub, mask, image, text); };
    WireTypeAhead();
    WireDrag();
    view_.OnColumnClick = [this](ui::TCustomEnhListView&, int column) {
        if (column < 0) {
            if (services_.columnsSetup)
                services_.columnsSetup();
            return;
        }
        ColumnClick(column);
    };
}

void FoundListWin32::SetList(TResultList* list) {
    list_ = list;
    view_.SetItemCountEx(0, ui::lvsicfNoScroll);
    SyncRowCount();
}

void FoundListWin32::SyncRowCount() {
    const int count = list_ ? static_cast<int>(list_->Count()) : 0;
    if (view_.ItemCount() != count)
        view_.SetItemCountEx(count, ui::lvsicfNoInvalidateAll | ui::lvsicfNoScroll);
}

void FoundListWin32::SetCellProvider(const FoundCellProvider* cells, HIMAGELIST smallImages, HIMAGELIST largeImages) {
    cells_ = cells;
    view_.SetSmallImages(smallImages);
    if (view_.hwnd())
        SendMessageA(view_.hwnd(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages));
    if (view_.hwnd())
        InvalidateRect(view_.hwnd(), nullptr, TRUE);
}

void FoundListWin32::CellInfo(int item, int subItem, ui::TLVVMMaskItems mask, int& image, std::string& text) const {
    const ItemHead* rec = list_ ? list_->At(static_cast<std::size_t>(item)) : nullptr;
    if (mask & ui::vmText)
        text = rec && cells_ ? cells_->CellText(*rec, subItem) : std::string();
    // Only the first column shows the icon.
    if (mask & ui::vmImage)
        image = rec && cells_ && subItem == 0 ? cells_->CellImage(*rec) : -1;
}

void FoundListWin32::WireTypeAhead() {
    view_.OnVMFindItem = [this](ui::TExtListView&, NMLVFINDITEMA& find, int& found) {
        found = -1;
        if (list_ && (find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.lvfi.psz)
            found = static_cast<int>(
                FoundListVMFindItem(*list_, find.lvfi.psz, find.iStart < 0 ? 0 : static_cast<std::size_t>(find.iStart)));
    };
}

void FoundListWin32::WireDrag() {
    if (!services_.mayDropOn)
        return;
    view_.OnStartDrag = [this](ui::TCustomEnhListView&, int) {
        std::size_t count = 0;
        const ItemHead* one = nullptr;
        for (std::size_t row : SelectedRows())
            if (const ItemHead* rec = list_ ? list_->At(row) : nullptr) {
                ++count;
                one = rec;
            }
        // One row drags its outlined icon.
        HIMAGELIST image = count == 1 && cells_ ? ui::ListIconDragImage(view_.SmallImages(), cells_->CellImage(*one)) : nullptr;
        drag_.StartRows(view_, count, image);
    };
    drag_.Carry(view_);
    // The drop takes the rows selected then: the records are not held meanwhile.
    drag_.Session().onDragOver = [this](HWND target, POINT) { return services_.mayDropOn(target); };
    drag_.Session().onDrop = [this](HWND target, POINT) {
        if (services_.dropped && services_.mayDropOn(target))
            services_.dropped(target);
    };
}

void FoundListWin32::ColumnClick(int column) {
    if (sorting_ || !list_ || !cells_ || column < 0 || column >= kFoundColumnCount ||
        (services_.mayChange && !services_.mayChange()))
        return;
    ScopedFlag sorting(sorting_);
    TResultList& list = *list_;
    const FoundSortStep step = FoundListColumnClick(list, column);
    if (step == FoundSortStep::None)
        return;
    ui::ScopedHourglass hourglass;
    InputOff inputOff(view_.hwnd());
    const std::uint64_t revision = list.Revision();
    const ui::ListSelection selection =
        ui::SaveListSelection(view_, [this](int row) -> const void* { return list_->At(static_cast<std::size_t>(row)); });
    std::atomic<bool> cancel{false};
    SortHooks hooks;
    hooks.escPressed = [] { return GetAsyncKeyState(VK_ESCAPE) < 0; };
    hooks.askCancel = [this] {
        return services_.prompt &&
               services_.prompt->ask({std::string(kSortHaltedText), std::string(kSortHaltedCaption),
                                      ui::PromptButtons::YesNo, ui::PromptIcon::Question}) == ui::PromptAnswer::Yes;
    };
    hooks.processMessages = [] { ui::Application::instance().processMessages(); };
    SortSearchResults(list, step, *cells_, cancel, hooks);
    if (list_ != &list)
        return;
    SyncRowCount();
    if (list.Revision() != revision) {
        // Records saved for the selection may have been freed meanwhile.
        view_.ClearRowStates();
    } else {
        ui::RestoreListSelection(view_, selection, [this](const void* record) {
            const std::optional<std::size_t> row = list_->Find(*static_cast<const ItemHead*>(record));
            return row ? static_cast<int>(*row) : -1;
        });
    }
    InvalidateRect(view_.hwnd(), nullptr, TRUE);
    if (services_.changed)
        services_.changed();
}

std::optional<std::size_t> FoundListWin32::FocusedRow() const {
    const int row = view_.FocusedRow();
    if (row < 0 || !list_ || static_cast<std::size_t>(row) >= list_->Count())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

std::vector<std::size_t> FoundListWin32::SelectedRows() const {
    std::vector<std::size_t> rows;
    if (!view_.hwnd())
        return rows;
    for (int i : view_.SelectedRows())
        rows.push_back(static_cast<std::size_t>(i));
    return rows;
}

ItemHead* FoundListWin32::FocusedRecord() const {
    const std::optional<std::size_t> row = FocusedRow();
    return row ? list_->At(*row) : nullptr;
}

std::vector<ItemHead*> FoundListWin32::SelectedRecords() const {
    std::vector<ItemHead*> records;
    if (!list_)
        return records;
    for (std::size_t row : SelectedRows())
        if (ItemHead* rec = list_->At(row))
            records.push_back(rec);
    return records;
}

void FoundListWin32::Focus(std::size_t row) {
    LVITEMA state{};
    state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    state.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageA(view_.hwnd(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(view_.hwnd(), LVM_ENSUREVISIBLE, row, FALSE);
}

void FoundListWin32::BtnDeleteClick() {
    if (sorting_ || !list_ || (services_.mayChange && !services_.mayChange()) || !FocusedRow())
        return;
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty())
        return;
    if (services_.prompt &&
        services_.prompt->ask({"Remove selected item(s) from the found list?", "Delete items", ui::PromptButtons::YesNo,
                               ui::PromptIcon::Question}) != ui::PromptAnswer::Yes)
        return;
    const std::optional<std::size_t> focused = FocusedRow();
    view_.ClearRowStates();
    const TResultList::Removal removal = list_->RemoveRows(rows, focused);
    SyncRowCount();
    if (removal.focus)
        Focus(*removal.focus);
    InvalidateRect(view_.hwnd(), nullptr, TRUE);
    if (services_.changed)
        services_.changed();
}

void FoundListWin32::BtnClearClick(bool ask) {
    if (sorting_ || !list_ || (services_.mayChange && !services_.mayChange()) || list_->Count() == 0)
        return;
    if (ask && services_.prompt &&
        services_.prompt->ask({"Remove all items from the found list?", "Delete all items", ui::PromptButtons::YesNo,
                               ui::PromptIcon::Question}) != ui::PromptAnswer::Yes)
        return;
    view_.ClearRowStates();
    list_->ClearSearchResults();
    SyncRowCount();
    if (services_.changed)
        services_.changed();
}

bool FoundListWin32::LocateFocused() {
    return list_ && services_.locator && LocateFoundItem(*list_, FocusedRow(), *services_.locator);
}

}  // namespace kv

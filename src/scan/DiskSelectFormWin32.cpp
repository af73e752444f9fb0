#include "scan/DiskSelectFormWin32.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/ListHelpers.h"
#include "ui/PlaceControl.h"

namespace kv {

TDiskSelectForm::TDiskSelectForm(DiskColumns columns, ui::UserPrompt& prompt)
    : columns_(std::move(columns)), prompt_(prompt) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Select Disk");
    setWindowClassName("KvDiskSelectForm");
    setBounds(0, 0, 520, 330);
    createHandle();
    setClientSize(510, 300);
    ui::Put(Label1, *this, 10, 8, 490, 44,
            "The following disks in catalog have been detected to have the same properties as the inserted media. "
            "Select the disk you would like to update in catalog (right-click a disk to access detailed info about "
            "that disk):");
    for (const std::string& t : columns_.titles) DisksListView.AddColumn(t, 100);
    ui::Put(DisksListView, *this, 10, 56, 490, 196);
    DisksListView.SetExtendedStyles(ui::lvxFullRowSelect);
    DisksListView.SetVirtualMode(true);
    DisksListView.OnVMGetItemInfo = [this](ui::TExtListView&, int item, int sub, ui::TLVVMMaskItems mask, int& image,
                                           LPARAM&, int&, int&, std::string& text) {
        if (item < 0 || static_cast<std::size_t>(item) >= Candidates.size()) return;
        const Node* disk = Candidates[static_cast<std::size_t>(item)];
        if ((mask & ui::vmText) && columns_.cellText) text = columns_.cellText(disk, sub);
        if ((mask & ui::vmImage) && columns_.image && sub == 0) image = columns_.image(disk);
    };
    DisksListView.OnColumnClick = [this](ui::TCustomEnhListView&, int column) {
        if (!columns_.compare) return;
        order.columnClick(column, Candidates, columns_.compare);
        InvalidateRect(DisksListView.hwnd(), nullptr, TRUE);
    };
    const struct {
        ui::Button& button;
        const char* text;
        int result;
        int x;
    } buttons[] = {{UpdateBtn, "&Update", 1, 10}, {NewBtn, "Add as New", ui::mrYes, 95},
                   {CancelBtn, "Cancel", ui::mrCancel, 180}, {HintBtn, "Hint", 0, 425}};
    for (const auto& b : buttons) {
        b.button.modalResult = b.result;
        ui::Put(b.button, *this, b.x, 264, 75, 25, b.text);
    }
    HintBtn.onClick = [this](ui::Button&) {
        prompt_.showInformation(
            "The next time, if you would like to update data for an existing disk\r in a catalog, it is easier to do "
            "it by selecting disk in the left pane,\r right click it and select \"Update Disk Data\" from its object "
            "menu. \rThis way, there will be no need for selecting disks like it is now.",
            "Hint on updating disks");
    };
    DiskUpdateMenu = &DiskPopup.Items().Add("Update This Disk", [this](ui::MenuItem&) {
        SendMessageA(UpdateBtn.hwnd(), BM_CLICK, 0, 0);
    });
    DiskPopup.Items().Add("-");
    DiskPropertiesMenu = &DiskPopup.Items().Add("Disk Properties", [this](ui::MenuItem&) { showProperties(); });
    // The main window draws them with their pictures, found by these names.
    DiskUpdateMenu->Name = "DiskUpdateMenu";
    DiskPropertiesMenu->Name = "DiskPropertiesMenu";
    // At least 18 pixels (or the system's menu height) high, the text plus 15 wide.
    DiskPopup.onMeasureItem = [this](ui::Menu&, ui::MenuItem& item, UINT& width, UINT& height) {
        if (ui::IsSeparator(item)) {
            ui::MeasureSeparator(width, height);
            return;
        }
        width = static_cast<UINT>(ui::MenuTextWidth(DiskPopup.fonts().font(item.Default()), item.Caption()) + 15);
        height = static_cast<UINT>(std::max(18, GetSystemMetrics(SM_CYMENUSIZE)));
    };
    DiskPopup.onDrawItem = [this](ui::Menu&, ui::MenuItem& item, HDC dc, const RECT& rect, UINT state) {
        ui::DefaultDrawItem(DiskPopup.fonts(), item, dc, rect, state);
    };
    DisksListView.popupMenu = &DiskPopup;
    setDefaultControl(&UpdateBtn);
    setCancelControl(&CancelBtn);
    onShow = [this](ui::Form&) { FormShow(); };
}

TDiskSelectForm::~TDiskSelectForm() { destroyWindow(); }

void TDiskSelectForm::FormShow() {
    DisksListView.SetItemCountEx(static_cast<int>(Candidates.size()), ui::lvsicfNoScroll);
    if (!Candidates.empty()) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(DisksListView.hwnd(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
    DisksListView.setFocus();
    for (int c = 0; c < DisksListView.ColumnCount(); ++c)
        SendMessageA(DisksListView.hwnd(), LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE_USEHEADER);
}

int TDiskSelectForm::selectedRow() const {
    return static_cast<int>(SendMessageA(DisksListView.hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TDiskSelectForm::showProperties() {
    const int row = selectedRow();
    if (!onProperties || row < 0 || static_cast<std::size_t>(row) >= Candidates.size()) return;
    onProperties(Candidates[static_cast<std::size_t>(row)]);
    InvalidateRect(DisksListView.hwnd(), nullptr, TRUE);
}

bool TDiskSelectForm::preTranslateMessage(MSG& msg) {
    const bool properties = (msg.message == WM_KEYDOWN && msg.wParam == VK_F4) ||
                            (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_RETURN);
    if (properties && onProperties) {
        showProperties();
        return true;
    }
    // Shift+F10 opens the popup at the focused row rather than at the list's corner.
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
        ui::PopupMenuAtItem(DiskPopup, &DisksListView, nullptr);
        return true;
    }
    return Form::preTranslateMessage(msg);
}

DiskSelectResult TDiskSelectForm::Select(const std::vector<Node*>& candidates, std::size_t& chosen) {
    Candidates = candidates;
    const int result = showModal();
    const int row = selectedRow();
    if (result == 1) {
        if (row < 0) return DiskSelectResult::Cancel;
        // The order may have changed: the chosen disk is found in the caller's list.
        Node* disk = Candidates[static_cast<std::size_t>(row)];
        chosen = static_cast<std::size_t>(std::find(candidates.begin(), candidates.end(), disk) - candidates.begin());
        return DiskSelectResult::Update;
    }
    return result == ui::mrYes ? DiskSelectResult::AddAsNew : DiskSelectResult::Cancel;
}

}  // namespace kv

#include "scan/catmanager/CatManagerFormWin32.h"

#include "base/text/SizeFormat.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/model/DiskSpace.h"
#include "scan/DialogButtonsWin32.h"
#include "catalog/model/Forest.h"
#include "scan/DiskScanner.h"
#include "scan/catmanager/CopyDisk.h"
#include "ui/PlaceControl.h"

namespace kv {

TCatManagerForm::TCatManagerForm(CatManagerServices services) : services_(std::move(services)) {
    SetUpDialogForm(*this, "Catalog Manager", "KvCatManagerForm", 610, 384);
    LeftLabel.setText("Left Catalog:");
    RightLabel.setText("Right Catalog:");
    for (int pane = 0; pane < 2; ++pane) {
        const int x = pane == 0 ? 10 : 360;
        ui::Label& label = pane == 0 ? LeftLabel : RightLabel;
        ui::Put(label, *this, x, 10, 200, 16);
        ui::Put(CatalogCombos[pane], *this, x, 28, 240, 200);
        CatalogCombos[pane].onChange = [this, pane](ui::ComboBox&) { CatalogComboChange(pane); };
        CatalogCombos[pane].onEnter = [this, pane](ui::Control&) { PaneEnter(pane); };
        DiskLists[pane].setMultiSelect(true);
        ui::Put(DiskLists[pane], *this, x, 58, 240, 270);
        DiskLists[pane].onEnter = [this, pane](ui::Control&) { PaneEnter(pane); };
        DiskLists[pane].onClick = [this](ui::ListBox&) {
            UpdateCatManagerButtons();
            UpdateCatManagerStatus();
        };
        DiskLists[pane].onMouseDown = [this, pane](ui::Control&, ui::MouseButton button, UINT, int x, int y) {
            if (button == ui::MouseButton::Left) armDrag(pane, x, y);
        };
        DiskLists[pane].onMouseMove = [this, pane](ui::Control& sender, UINT, int x, int y) {
            POINT p{x, y};
            ClientToScreen(sender.hwnd(), &p);
            if (drag_.armed() && !drag_.dragging() && drag_.pastThreshold({x, y}))
                drag_.begin(nullptr, {0, 0}, p);
            else if (drag_.dragging())
                drag_.move(p);
        };
        DiskLists[pane].onMouseUp = [this](ui::Control& sender, ui::MouseButton, UINT, int x, int y) {
            POINT p{x, y};
            ClientToScreen(sender.hwnd(), &p);
            if (drag_.dragging()) drag_.drop(p);
            drag_.disarm();
        };
        // Losing the mouse mid-drag (Alt+Tab, a message box) ends it: a later click moves nothing.
        DiskLists[pane].onCaptureLost = [this](ui::Control&) { drag_.cancel(); };
    }
    const struct {
        ui::Button& button;
        const char* caption;
        int y;
    } buttons[] = {{MoveBtn, "Move >>", 70},    {CopyBtn, "Copy >>", 102},           {RenameBtn, "Rename", 150},
                   {DeleteBtn, "Delete", 182}, {PropertiesBtn, "Properties", 214}, {DoneBtn, "Close", 300}};
    for (const auto& b : buttons) {
        ui::Put(b.button, *this, 260, b.y, 90, 25, b.caption);
    }
    MoveBtn.onClick = [this](ui::Button&) { MoveOrCopyBtnClick(true); };
    CopyBtn.onClick = [this](ui::Button&) { MoveOrCopyBtnClick(false); };
    RenameBtn.onClick = [this](ui::Button&) { RenameBtnClick(); };
    DeleteBtn.onClick = [this](ui::Button&) { DeleteBtnClick(true); };
    PropertiesBtn.onClick = [this](ui::Button&) { PropertiesBtnClick(); };
    DoneBtn.modalResult = ui::mrOk;
    setCancelControl(&DoneBtn);
    drag_.onDragOver = [this](HWND target, POINT) {
        return dragPane_ >= 0 && target == DiskLists[1 - dragPane_].hwnd();
    };
    drag_.onDrop = [this](HWND, POINT) { DiskListDragDrop(1 - dragPane_); };
    drag_.onEnd = [this](bool) { dragPane_ = -1; };
    StatusBar.setSimplePanel(true);
    StatusBar.setAlign(ui::Align::Bottom);
    StatusBar.create(this);
}

TCatManagerForm::~TCatManagerForm() { destroyWindow(); }

void TCatManagerForm::Run(const std::vector<Node*>& catalogs, Node* current) {
    Catalogs = catalogs;
    Node* top = current;
    while (top && top->parent()) top = top->parent();
    int left = 0;
    for (int pane = 0; pane < 2; ++pane) {
        CatalogCombos[pane].clear();
        for (std::size_t i = 0; i < Catalogs.size(); ++i) {
            CatalogCombos[pane].addItem(Catalogs[i]->text());
            if (Catalogs[i] == top) left = static_cast<int>(i);
        }
    }
    if (Catalogs.empty())
        return;
    CatalogCombos[0].setItemIndex(left);
    CatalogCombos[1].setItemIndex(Catalogs.size() > 1 && left == 0 ? 1 : 0);
    fillDisks(0);
    fillDisks(1);
    ActivePane = 0;
    PaneEnter(0);
    showModal();
}

Node* TCatManagerForm::catalogOf(int pane) const {
    const int index = CatalogCombos[pane].itemIndex();
    return index >= 0 && static_cast<std::size_t>(index) < Catalogs.size() ? Catalogs[static_cast<std::size_t>(index)]
                                                                            : nullptr;
}

void TCatManagerForm::fillDisks(int pane) {
    ui::ListBox& list = DiskLists[pane];
    list.clear();
    if (Node* catalog = catalogOf(pane))
        for (const auto& disk : catalog->children())
            list.addItem(disk->text(), reinterpret_cast<ui::TextListControl::ItemObject>(disk.get()));
    if (list.count() > 0) list.setItemIndex(0);
}

std::vector<Node*> TCatManagerForm::selectedDisks(int pane) const {
    std::vector<Node*> disks;
    const ui::ListBox& list = DiskLists[pane];
    for (int i = 0; i < list.count(); ++i)
        if (list.selected(i)) disks.push_back(reinterpret_cast<Node*>(list.object(i)));
    return disks;
}

void TCatManagerForm::CatalogComboChange(int pane) {
    fillDisks(pane);
    UpdateCatManagerButtons();
    UpdateCatManagerStatus();
}

void TCatManagerForm::PaneEnter(int pane) {
    ActivePane = pane;
    MoveBtn.setText(pane == 0 ? "Move >>" : "<< Move");
    CopyBtn.setText(pane == 0 ? "Copy >>" : "<< Copy");
    UpdateCatManagerButtons();
    UpdateCatManagerStatus();
}

void TCatManagerForm::UpdateCatManagerButtons() {
    const bool several = Catalogs.size() > 1;
    CatalogCombos[1].setEnabled(several);
    DiskLists[1].setEnabled(several);
    const ui::ListBox& list = DiskLists[ActivePane];
    const bool entry = list.count() > 0 && list.itemIndex() >= 0;
    RenameBtn.setEnabled(entry);
    DeleteBtn.setEnabled(entry);
    PropertiesBtn.setEnabled(entry);
    const bool between = entry && several && catalogOf(0) != catalogOf(1);
    MoveBtn.setEnabled(between);
    CopyBtn.setEnabled(between);
}

void TCatManagerForm::UpdateCatManagerStatus() {
    const ui::ListBox& list = DiskLists[ActivePane];
    FixedSize total, chosen;
    int selected = 0;
    for (int i = 0; i < list.count(); ++i) {
        const auto* disk = RecordAs<TDiskRec>(reinterpret_cast<Node*>(list.object(i))->record());
        const FixedSize bytes = disk ? GetDiskSpace(*disk, DiskSpaceKind::Total) : FixedSize{};
        total += bytes;
        if (list.selected(i)) {
            ++selected;
            chosen += bytes;
        }
    }
    const std::string_view sep = services_.decimalSeparator;
    StatusBar.setSimpleText(std::string(ActivePane == 0 ? "Left pane: " : "Right pane: ") + std::to_string(list.count()) +
                            " disks, total capacity " + FormatSize(total, sep) + " (" + std::to_string(selected) +
                            " selected, " + FormatSize(chosen, sep) + ")");
}

// A press on a selected entry arms a drag of the entries selected then (the
// list box keeps only the pressed one selected as the press goes on).
void TCatManagerForm::armDrag(int pane, int x, int y) {
    const ui::ListBox& list = DiskLists[pane];
    const LRESULT hit = SendMessageA(list.hwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    const int index = static_cast<int>(LOWORD(hit));
    if (HIWORD(hit) != 0 || index >= list.count() || !list.selected(index) || !DiskLists[1].enabled())
        return;
    dragPane_ = pane;
    dragged_ = selectedDisks(pane);
    drag_.arm(list.hwnd(), {x, y});
}

void TCatManagerForm::DiskListDragDrop(int targetPane) {
    if (targetPane < 0 || targetPane > 1) return;
    ActivePane = 1 - targetPane;
    moveOrCopy(dragged_, catalogOf(targetPane), true);
    dragged_.clear();
}

void TCatManagerForm::MoveOrCopyBtnClick(bool move) {
    moveOrCopy(selectedDisks(ActivePane), catalogOf(1 - ActivePane), move);
}

void TCatManagerForm::moveOrCopy(const std::vector<Node*>& disks, Node* target, bool move) {
    if (!target || disks.empty() || target == catalogOf(ActivePane))
        return;
    StatusBar.setSimpleText(move ? "Moving disks between catalogs, please wait"
                                 : "Copying disks between catalogs, please wait");
    if (services_.progress)
        services_.progress(move ? "Moving disks to other catalog..." : "Copying disks to other catalog...");
    try {
        for (Node* disk : disks) {
            StatusBar.setSimpleText(std::string(move ? "Moving" : "Copying") + " data for disk \"" + disk->text() +
                                    "\"...");
            CopyDiskToCatalog(*disk, *target, move, services_.prompt, services_.deleteDisk);
        }
    } catch (...) {
        if (services_.progress) services_.progress("");
        fillDisks(0);
        fillDisks(1);
        throw;
    }
    fillDisks(0);
    fillDisks(1);
    if (services_.catalogsChanged) services_.catalogsChanged();
    if (services_.progress) services_.progress("");
    UpdateCatManagerButtons();
    UpdateCatManagerStatus();
}

void TCatManagerForm::RenameBtnClick() {
    ui::ListBox& list = DiskLists[ActivePane];
    const int index = list.itemIndex();
    if (index < 0 || !services_.askText) return;
    Node* disk = reinterpret_cast<Node*>(list.object(index));
    const std::optional<std::string> name =
        services_.askText("Rename Disk", "Rename disk \"" + disk->text() + "\" to:", disk->text());
    if (!name || name->empty() || *name == disk->text()) return;
    StatusBar.setSimpleText("Renaming disk \"" + disk->text() + "\"...");
    disk->forest().setText(*disk, UniqueDiskName(*disk->parent(), *name, disk));
    SetDiskModified(*disk, true);
    fillDisks(0);
    fillDisks(1);
    UpdateCatManagerButtons();
    UpdateCatManagerStatus();
}

void TCatManagerForm::DeleteBtnClick(bool confirm) {
    const std::vector<Node*> disks = selectedDisks(ActivePane);
    if (disks.empty()) return;
    if (confirm && services_.prompt &&
        services_.prompt->ask({"Please confirm deleting selected disk(s) from catalog.", "Delete",
                               ui::PromptButtons::OkCancel, ui::PromptIcon::Warning}) != ui::PromptAnswer::Ok)
        return;
    StatusBar.setSimpleText("Deleting selected disks, please wait...");
    for (Node* disk : disks) {
        SetCatalogModified(*disk, true);
        if (services_.deleteDisk) services_.deleteDisk(*disk);
        else disk->forest().remove(*disk);
    }
    fillDisks(0);
    fillDisks(1);
    if (services_.catalogsChanged) services_.catalogsChanged();
    UpdateCatManagerButtons();
    UpdateCatManagerStatus();
}

void TCatManagerForm::PropertiesBtnClick() {
    const ui::ListBox& list = DiskLists[ActivePane];
    const int index = list.itemIndex();
    if (index >= 0 && services_.showProperties) services_.showProperties(reinterpret_cast<Node*>(list.object(index)));
}

}  // namespace kv

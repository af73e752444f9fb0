#include "scan/AddDiskFormWin32.h"

#include <algorithm>

#include "base/text/AnsiCase.h"
#include "system/drives/MediaTypes.h"
#include "ui/Application.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {

constexpr int kButton = 41;
constexpr int kPitch = 45;
constexpr int kMinPerRow = 9;
constexpr int kFormWidth = kMinPerRow * kPitch + 33;

constexpr int kGlyph = 32;

// Pop-up help topics over the dialog.
constexpr unsigned long kHelpAddDisk = 10000;
constexpr unsigned long kHelpVirtualRoot = 10003;
constexpr unsigned long kHelpDriveButton = 10012;
constexpr unsigned long kHelpAdvanced = 10013;

// The icon drawn into a one-picture glyph strip over the button's face colour,
// so that its soft edges blend with the face; the bottom-left pixel, the
// see-through colour, is kept clear of the icon.
HBITMAP DriveGlyph(HICON icon) {
    const COLORREF key = GetSysColor(COLOR_BTNFACE);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kGlyph, kGlyph);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH fill = CreateSolidBrush(key);
    const RECT all{0, 0, kGlyph, kGlyph};
    FillRect(dc, &all, fill);
    DeleteObject(fill);
    DrawIconEx(dc, 0, 0, icon, kGlyph, kGlyph, 0, nullptr, DI_NORMAL);
    SetPixel(dc, 0, kGlyph - 1, key);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

struct BoxPlace {
    ui::CheckBox& box;
    const char* text;
};

}  // namespace

TAddDiskForm::TAddDiskForm(AddDiskServices services) : services_(std::move(services)) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Add New Disk");
    setWindowClassName("KvAddDiskForm");
    setBounds(0, 0, kFormWidth, 420);
    createHandle();
    keyPreview = true;
    DriveMask = services_.logicalDrives ? services_.logicalDrives() : 0;
    for (int i = 0; i < 26; ++i) {
        if (!(DriveMask & (1u << i))) continue;
        auto b = std::make_unique<DriveButton>();
        b->letter = static_cast<char>('A' + i);
        b->button.groupIndex = 1;
        b->button.allowAllUp = true;
        const std::uint8_t media = services_.mediaType ? services_.mediaType(b->letter) : MediaType::Unknown;
        b->button.hint = MediaTypeName(media) + " (" + b->letter + ":)";
        b->button.showHint = true;
        if (HICON icon = services_.driveIcon ? services_.driveIcon(b->letter) : nullptr) {
            b->glyph.reset(DriveGlyph(icon));
            DestroyIcon(icon);
            b->button.setGlyph(b->glyph.get());
        }
        b->button.create(this);
        b->label.setText(std::string("&") + b->letter + ":");
        b->label.setAlignment(ui::Label::Alignment::Center);
        b->label.setFocusControl(&DiskName);
        b->label.create(this);
        DriveButton* raw = b.get();
        b->button.onClick = [this, raw](ui::SpeedButton&) { SelectDrive(raw); };
        driveButtons.push_back(std::move(b));
    }
    EmptyDriveLabel.setText("No drives are available");
    EmptyDriveLabel.create(this);
    DiskNameLabel.setText("Disk name:");
    DiskNameLabel.create(this);
    DiskName.create(this);
    DatabaseLabel.setText("Add/Update in Catalog:");
    DatabaseLabel.create(this);
    DatabaseList.create(this);
    DatabaseList.onChange = [this](ui::ComboBox&) {
        findMatchingDisks();
        showDriveStatus();
    };
    VirtualRootCheck.setText("Virtual root:");
    VirtualRootCheck.create(this);
    VirtualRootCheck.onClick = [this](ui::CheckBox&) {
        if (selecting_ || !SelectedDriveButton) return;
        SelectedDriveButton->virtualRoot.clear();
        if (VirtualRootCheck.checked() && services_.browseVirtualRoot) {
            std::string root = services_.browseVirtualRoot(SelectedDriveButton->letter);
            if (!root.empty() && root.back() != '\\') root += '\\';
            // The whole drive chosen is no virtual root.
            if (root != "\\") SelectedDriveButton->virtualRoot = root;
        }
        VirtualRootCheck.setChecked(!SelectedDriveButton->virtualRoot.empty());
        VirtualRootLabel.setText(SelectedDriveButton->virtualRoot.empty() ? "(none)" : SelectedDriveButton->virtualRoot);
        findMatchingDisks();
        showDriveStatus();
    };
    VirtualRootLabel.setText("(none)");
    VirtualRootLabel.create(this);

    OKBtn.setText("&OK");
    OKBtn.create(this);
    OKBtn.onClick = [this](ui::Button&) { OKBtnClick(); };
    CancelBtn.setText("Cancel");
    CancelBtn.modalResult = ui::mrCancel;
    CancelBtn.create(this);
    DiskInfoBtn.setText("Disk &Info");
    DiskInfoBtn.create(this);
    DiskInfoBtn.onClick = [this](ui::Button&) {
        if (services_.showDiskInfo && TemplateDisk && SelectedDriveButton)
            services_.showDiskInfo(*TemplateDisk, SelectedDriveButton->letter);
    };
    AdvancedBtn.setText("Advanced >>");
    AdvancedBtn.create(this);
    AdvancedBtn.onClick = [this](ui::Button&) {
        OptionsPanel.setVisible(!OptionsPanel.visible());
        DefaultCheck.setVisible(OptionsPanel.visible());
        layout();
        // The status line moved down: nothing of its old place may stay on it.
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    };
    setDefaultControl(&OKBtn);
    setCancelControl(&CancelBtn);

    OptionsPanel.create(this);
    const BoxPlace boxes[] = {
        {BrowseArchiveCheck, "Browse inside compressed files (ZIP, ARJ, RAR...)"},
        {Import4DOSCheck, "Import 'Descript.ion' files"},
        {ImportBBSCheck, "Import 'Files.bbs' files"},
        {ImportDizCheck, "Import 'File_id.diz' files"},
        {ImportCommentCheck, "Import archive's comment"},
        {KeepCurrentCheck, "Import existing descriptions from other disks in the catalog"},
        {EjectMediaCheck, "Eject media when finished (if supported by drive)"},
        {ArchiveQuickScan, "Allow quick archive scan when updating disk image"},
        {ArchiveDescOnly, "Look only for descriptions, do not import file contents"},
    };
    int y = 4;
    for (const BoxPlace& p : boxes) {
        ui::Put(p.box, OptionsPanel, 8, y, kFormWidth - 40, 18, p.text);
        p.box.onClick = [this, &box = p.box](ui::CheckBox&) {
            if (&box == &KeepCurrentCheck) {
                ImportDescCombo.setEnabled(KeepCurrentCheck.checked());
                return;
            }
            setupDialog(&box == &BrowseArchiveCheck ? BoxChange::BrowseArchives
                        : &box == &ImportCommentCheck ? BoxChange::ImportComment
                                                      : BoxChange::Other);
        };
        y += 20;
        if (&p.box == &KeepCurrentCheck) {
            ImportDescCombo.setItems({"disk you are updating", "all disks in the catalog"});
            ui::Put(ImportDescCombo, OptionsPanel, 26, y, 200, 22);
            y += 26;
        }
    }
    OptionsPanel.setBounds(8, 0, kFormWidth - 24, y + 4);
    DefaultCheck.setText("Save as default");
    DefaultCheck.create(this);
    StatusBar.create(this);
    StatusBar.setPanels({{"", 100}});
    OptionsPanel.setVisible(false);
    DefaultCheck.setVisible(false);
}

TAddDiskForm::~TAddDiskForm() { destroyWindow(); }

void TAddDiskForm::layout() {
    std::vector<DriveButton*> shown;
    for (auto& b : driveButtons)
        if (b->button.visible()) shown.push_back(b.get());
    const RECT work = ui::Application::workArea();
    const int fit = std::max(kMinPerRow, static_cast<int>((work.right - work.left) * 2 / 3 / kButton));
    const int perRow = std::clamp(static_cast<int>(shown.size()), kMinPerRow, fit);
    const int width = perRow * kPitch + 33;
    int y = 10;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int col = static_cast<int>(i) % perRow;
        y = 10 + static_cast<int>(i) / perRow * (kButton + 24);
        shown[i]->button.setBounds(14 + col * kPitch, y, kButton, kButton);
        shown[i]->label.setBounds(14 + col * kPitch, y + kButton + 2, kButton, 16);
    }
    EmptyDriveLabel.setVisible(shown.empty());
    EmptyDriveLabel.setBounds(14, 20, width - 40, 16);
    y += kButton + 30;
    DiskNameLabel.setBounds(14, y, 140, 16);
    DiskName.setBounds(160, y - 2, width - 190, 22);
    y += 28;
    DatabaseLabel.setBounds(14, y, 140, 16);
    DatabaseList.setBounds(160, y - 2, width - 190, 22);
    y += 28;
    VirtualRootCheck.setBounds(14, y, 100, 18);
    VirtualRootLabel.setBounds(120, y + 1, width - 150, 16);
    y += 28;
    OKBtn.setBounds(14, y, 75, 25);
    CancelBtn.setBounds(96, y, 75, 25);
    DiskInfoBtn.setBounds(178, y, 75, 25);
    AdvancedBtn.setBounds(width - 110, y, 85, 25);
    y += 32;
    OptionsPanel.setBounds(8, y, width - 24, OptionsPanel.height());
    if (OptionsPanel.visible()) y += OptionsPanel.height() + 4;
    DefaultCheck.setBounds(14, y, 200, 18);
    if (DefaultCheck.visible()) y += 22;
    setClientSize(width, y + 24);
    StatusBar.setBounds(0, y, width, 22);
    // The one panel spans the line: its text is the drive's whole status.
    StatusBar.setPanelWidth(0, width);
}

void TAddDiskForm::prepareForm(std::uint8_t referenceMedia, bool update) {
    for (auto& b : driveButtons) {
        const bool fits = !update || !services_.mediaType || DriveFitsUpdate(services_.mediaType(b->letter), referenceMedia);
        b->button.setVisible(fits);
        b->label.setVisible(fits);
        b->button.setDown(false);
        b->virtualRoot.clear();
    }
    layout();
    OKBtn.setEnabled(false);
    DiskInfoBtn.setEnabled(false);
}

bool TAddDiskForm::Run(Node* updatedDisk, const ScanOptions& defaults, bool ejectMedia) {
    state = AddDiskState{};
    state.addMode = updatedDisk == nullptr;
    state.updatedDisk = updatedDisk;
    const auto* updated = updatedDisk ? RecordAs<TDiskRec>(updatedDisk->record()) : nullptr;
    prepareForm(updated ? updated->volume.mediaType : MediaType::Unknown, !state.addMode);

    std::vector<std::string> names;
    int index = 0;
    for (std::size_t i = 0; i < catalogs.size(); ++i) {
        names.push_back(catalogs[i]->text());
        if (catalogs[i] == preferredCatalog) index = static_cast<int>(i);
    }
    DatabaseList.setItems(names);
    DatabaseList.setItemIndex(names.empty() ? -1 : index);

    Import4DOSCheck.setChecked(defaults.import4Dos);
    ImportBBSCheck.setChecked(defaults.importBbs);
    ImportDizCheck.setChecked(defaults.importDiz);
    ImportCommentCheck.setChecked(defaults.importComment);
    KeepCurrentCheck.setChecked(!state.addMode && defaults.carryOver);
    BrowseArchiveCheck.setChecked(defaults.browseArchives);
    EjectMediaCheck.setChecked(ejectMedia);
    ArchiveDescOnly.setChecked(defaults.archiveDescOnly);
    ArchiveQuickScan.setChecked(defaults.archiveQuickScan);
    DefaultCheck.setChecked(false);
    setCaption(state.addMode ? "Add New Disk" : "Update Disk");
    KeepCurrentCheck.setText(state.addMode ? "Import existing descriptions from other disks in the catalog"
                                           : "Import existing descriptions from:");
    ImportDescCombo.setVisible(!state.addMode);
    ImportDescCombo.setItemIndex(0);
    ImportDescCombo.setEnabled(KeepCurrentCheck.checked());
    setupDialog(BoxChange::None);
    SelectDrive(nullptr);

    if (!state.addMode && updated) {
        // Update mode: the drive that holds the disk's medium.
        StatusBar.setPanelText(0, "Looking for selected media, please wait...");
        const std::optional<char> letter = services_.locateMedia ? services_.locateMedia(updatedDisk) : std::nullopt;
        if (!letter) return false;
        for (auto& b : driveButtons) {
            if (b->letter != *letter || !b->button.visible()) continue;
            if (updated->isVirtual()) b->virtualRoot = updated->virtualPath;
            SelectDrive(b.get());
        }
    }
    if (showModal() != ui::mrOk) return false;
    if (DefaultCheck.checked() && services_.saveDefaults) {
        ScanOptions boxes = scanOptions(defaults);
        // What is checked is saved, also where the box is disabled now.
        boxes.carryOver = KeepCurrentCheck.checked();
        boxes.archiveDescOnly = ArchiveDescOnly.checked();
        boxes.archiveQuickScan = ArchiveQuickScan.checked();
        services_.saveDefaults(boxes, EjectMediaCheck.checked());
    }
    return true;
}

Node* TAddDiskForm::selectedCatalog() const {
    const int i = DatabaseList.itemIndex();
    return i >= 0 && static_cast<std::size_t>(i) < catalogs.size() ? catalogs[static_cast<std::size_t>(i)] : nullptr;
}

MediumChoice TAddDiskForm::medium() const {
    MediumChoice m;
    if (!SelectedDriveButton) return m;
    m.volume = TemplateDisk.get();
    m.letter = SelectedDriveButton->letter;
    m.virtualRoot = SelectedDriveButton->virtualRoot;
    m.folderExists = services_.folderExists;
    return m;
}

void TAddDiskForm::SelectDrive(DriveButton* button) {
    selecting_ = true;
    ui::Application::instance().processMessages();
    if (button && button == SelectedDriveButton) button = nullptr;
    if (button && services_.checkDriveReady && !services_.checkDriveReady(button->letter)) button = nullptr;
    for (auto& b : driveButtons) b->button.setDown(b.get() == button);
    SelectedDriveButton = button;
    OKBtn.setEnabled(button != nullptr);
    DiskInfoBtn.setEnabled(button != nullptr);
    VirtualRootCheck.setEnabled(button != nullptr);
    if (!button) {
        DiskName.setText("");
        VirtualRootCheck.setChecked(false);
        VirtualRootLabel.setText("(none)");
        state.candidates.clear();
    } else {
        TemplateDisk = std::make_unique<TDiskRec>();
        if (services_.initDiskRecord) services_.initDiskRecord(button->letter, *TemplateDisk);
        VirtualRootCheck.setChecked(!button->virtualRoot.empty());
        VirtualRootLabel.setText(button->virtualRoot.empty() ? "(none)" : button->virtualRoot);
        findMatchingDisks();
    }
    VirtualRootLabel.setEnabled(VirtualRootCheck.enabled() && VirtualRootCheck.checked());
    selecting_ = false;
    showDriveStatus();
}

void TAddDiskForm::SelectDriveByLetter(char letter) {
    const char upper = static_cast<char>(letter >= 'a' && letter <= 'z' ? letter - 32 : letter);
    for (auto& b : driveButtons)
        if (b->letter == upper && b->button.visible()) SelectDrive(b.get());
}

void TAddDiskForm::findMatchingDisks() {
    if (!SelectedDriveButton) return;
    Node* match = nullptr;
    if (state.addMode) {
        DiskName.setText(TemplateDisk->label);
        state.candidates.clear();
        if (Node* cat = selectedCatalog()) state.candidates = FindMatchingDisks(*cat, medium());
        match = state.candidates.empty() ? nullptr : state.candidates.front();
    } else {
        match = state.updatedDisk;
        const auto* updated = match ? RecordAs<TDiskRec>(match->record()) : nullptr;
        state.mediaMatches = updated && MediaMatchesDisk(medium(), *updated);
    }
    if (const auto* disk = match ? RecordAs<TDiskRec>(match->record()) : nullptr) {
        if (services_.keepDiskName) DiskName.setText(match->text());
        TemplateDisk->volume.reserved2 = disk->volume.reserved2;
        TemplateDisk->description = disk->description;
    }
    if (DiskName.hwnd()) SendMessageA(DiskName.hwnd(), EM_SETSEL, 0, -1);
}

void TAddDiskForm::showDriveStatus() {
    const bool matched = state.addMode ? !state.candidates.empty() : state.mediaMatches;
    StatusBar.setPanelText(0, DriveStatusText(medium(), state.addMode, matched));
}

void TAddDiskForm::setupDialog(BoxChange change) {
    ScanOptionBoxes b;
    b.browseArchives = BrowseArchiveCheck.checked();
    b.import4Dos = Import4DOSCheck.checked();
    b.importBbs = ImportBBSCheck.checked();
    b.importDiz = ImportDizCheck.checked();
    b.importComment = ImportCommentCheck.checked();
    const bool* changed = change == BoxChange::BrowseArchives  ? &b.browseArchives
                          : change == BoxChange::ImportComment ? &b.importComment
                                                               : nullptr;
    SetupDialog(b, state.addMode, changed);
    BrowseArchiveCheck.setChecked(b.browseArchives);
    ImportCommentCheck.setChecked(b.importComment);
    ArchiveDescOnly.setEnabled(b.archiveDescOnlyEnabled);
    ArchiveQuickScan.setEnabled(b.archiveQuickScanEnabled);
}

void TAddDiskForm::OKBtnClick() {
    // The decision reads the carry-over boxes as the user left them.
    state.keepCurrent = KeepCurrentCheck.checked();
    state.importDescIndex = std::max(0, ImportDescCombo.itemIndex());
    switch (DecideOk(state, services_.prompt ? *services_.prompt : ui::Application::instance().prompt(),
                     services_.selectDisk)) {
    case OkOutcome::Accept:
        setModalResult(ui::mrOk);
        break;
    case OkOutcome::StayShowCarryOver:
        OptionsPanel.setVisible(true);
        DefaultCheck.setVisible(true);
        layout();
        KeepCurrentCheck.setFocus();
        break;
    case OkOutcome::Stay:
        break;
    }
    // An update chosen here carries over: the boxes show it.
    KeepCurrentCheck.setChecked(state.keepCurrent);
    ImportDescCombo.setItemIndex(state.importDescIndex);
    ImportDescCombo.setEnabled(state.keepCurrent);
}

ScanOptions TAddDiskForm::scanOptions(const ScanOptions& defaults) const {
    ScanOptions o = defaults;
    o.browseArchives = BrowseArchiveCheck.checked();
    o.import4Dos = Import4DOSCheck.checked();
    o.importBbs = ImportBBSCheck.checked();
    o.importDiz = ImportDizCheck.checked();
    o.importComment = ImportCommentCheck.checked();
    o.carryOver = state.keepCurrent || KeepCurrentCheck.checked();
    o.carryFromAllDisks = ImportDescCombo.itemIndex() == 1;
    o.archiveDescOnly = ArchiveDescOnly.enabled() && ArchiveDescOnly.checked();
    o.archiveQuickScan = ArchiveQuickScan.enabled() && ArchiveQuickScan.checked();
    return o;
}

bool TAddDiskForm::preTranslateMessage(MSG& msg) {
    // A drive letter (alone, or with Alt) presses that drive's button; in the name box only with Alt.
    const bool alt = msg.message == WM_SYSKEYDOWN;
    if ((msg.message == WM_KEYDOWN || alt) && msg.wParam >= 'A' && msg.wParam <= 'Z' &&
        !(GetKeyState(VK_CONTROL) & 0x8000) && !(GetKeyState(VK_SHIFT) & 0x8000) &&
        (alt || msg.hwnd != DiskName.hwnd())) {
        for (auto& b : driveButtons) {
            if (b->letter == static_cast<char>(msg.wParam) && b->button.visible()) {
                SelectDrive(b.get());
                return true;
            }
        }
    }
    return Form::preTranslateMessage(msg);
}

unsigned long TAddDiskForm::helpTopicAt(POINT point) const {
    HWND child = ChildWindowFromPointEx(hwnd(), point, CWP_SKIPINVISIBLE);
    if (child == AdvancedBtn.hwnd()) return kHelpAdvanced;
    if (child && child == VirtualRootLabel.hwnd()) return kHelpVirtualRoot;
    for (const auto& b : driveButtons)
        if (child && child == b->button.hwnd()) return kHelpDriveButton;
    return kHelpAddDisk;
}

LRESULT TAddDiskForm::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_HELP) {
        const auto* info = reinterpret_cast<const HELPINFO*>(lp);
        POINT at = info->MousePos;
        ScreenToClient(hwnd(), &at);
        ui::Application::instance().helpContext(hwnd(), helpTopicAt(at), true);
        return TRUE;
    }
    return ui::Form::wndProc(msg, wp, lp);
}

}  // namespace kv

#include "scan/properties/PropertiesFormWin32.h"

#include "base/CatalogDate.h"
#include "base/text/SizeFormat.h"
#include "catalog/model/DiskSpace.h"
#include "catalog/model/ItemPath.h"
#include "scan/DialogButtonsWin32.h"
#include "scan/DiskMatching.h"
#include "scan/properties/AdvDiskFormWin32.h"
#include "system/drives/MediaTypes.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {

constexpr int kRowTop = 50, kRowStep = 18, kCaptionWidth = 122, kValueLeft = 134, kPageWidth = 380;
constexpr std::array<const char*, 4> kAttributeNames = {"Archive", "Hidden", "System", "Read-Only"};
constexpr std::array<std::uint8_t, 4> kAttributeBits = {0x20, 0x02, 0x04, 0x01};

std::string isoCatalogDate(double value) {
    const DateTime t = fromCatalogDate(value);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
    return text;
}

}  // namespace

TPropertiesForm::TPropertiesForm(PropertiesServices services) : services_(std::move(services)) {
    SetUpDialogForm(*this, "Properties", "KvPropertiesForm", 400, 462);
    ui::Put(Pages, *this, 6, 6, 388, 416);
    buildSheet(PropertyPage::File,
               {"File Type:", "File Size:", "Created on:", "Last Modified on:", "Last Accessed on:", "Disk Name:",
                "Location on Disk:"},
               true, true);
    buildSheet(PropertyPage::Folder,
               {"Item Type:", "Folder Size:", "Created on:", "Last Modified on:", "Last Accessed on:", "Disk Name:",
                "Location on Disk:"},
               true, true);
    buildSheet(PropertyPage::Disk,
               {"Media Type:", "Volume Label:", "Serial No.:", "Total Capacity:", "Free Space:", "Catalog Name:",
                "Updated in Catalog:", "Virtual Root Folder:"},
               false, false);
    std::vector<const char*> catalogRows = {"Item Type:",        "Disks in Catalog:", "Total Storage Space:",
                                            "Total Used Space:", "Total Files:",      "Total Folders:",
                                            "Disks Statistics:"};
    for (const char* caption : kDiskClassCaptions) catalogRows.push_back(caption);
    buildSheet(PropertyPage::Catalog, catalogRows, false, false);
    CreateDialogButtons(*this, {OKBtn, "OK", ui::mrOk}, {CancelBtn, "Cancel", ui::mrCancel}, 230, 430, 76);
}

TPropertiesForm::~TPropertiesForm() { destroyWindow(); }

void TPropertiesForm::buildSheet(PropertyPage page, const std::vector<const char*>& captions, bool categories,
                                 bool attributes) {
    static constexpr std::array<const char*, 4> kTitles = {"Properties", "Folder info", "Disk info", "Catalog info"};
    static constexpr std::array<const char*, 4> kDescCaptions = {"File D&escription:", "Folder D&escription:",
                                                                 "Disk D&escription:", "Catalog D&escription:"};
    ui::Panel& panel = Pages.addPage(kTitles[static_cast<std::size_t>(page)]);
    panel.setBevel(false);
    Sheet& s = sheet(page);
    ui::Put(s.IconImage, panel, 10, 6, 36, 36);
    ui::Put(s.NameLabel, panel, 54, 16, kPageWidth - 64, 18);
    int y = kRowTop;
    for (const char* caption : captions) {
        auto row = std::make_unique<InfoRow>();
        ui::Put(row->caption, panel, 10, y, kCaptionWidth, 16, caption);
        ui::Put(row->value, panel, kValueLeft, y, kPageWidth - kValueLeft - 6, 16);
        s.rows.push_back(std::move(row));
        y += kRowStep;
    }
    if (page == PropertyPage::Disk) {
        ui::Put(s.CompressedLabel, panel, 10, y + 4, 180, 16, "Volume is Compressed");
        ui::Put(s.DiskAdvButton, panel, kPageWidth - 110, y, 100, 24, "Advanced >>");
        s.DiskAdvButton.onClick = [this](ui::Button&) { ShowAdvanced(); };
        y += 30;
    }
    if (attributes) {
        int x = 10;
        for (std::size_t i = 0; i < s.attributes.size(); ++i) {
            ui::Put(s.attributes[i], panel, x, y + 2, 86, 18, kAttributeNames[i]);
            s.attributes[i].setEnabled(false);
            x += 92;
        }
        y += 26;
    }
    ui::Put(s.DescLabel, panel, 10, y, 200, 16, kDescCaptions[static_cast<std::size_t>(page)]);
    y += 18;
    const int memoHeight = page == PropertyPage::Catalog ? 60 : categories ? 74 : 110;
    s.Memo.setWordWrap(true);
    ui::Put(s.Memo, panel, 10, y, kPageWidth - 20, memoHeight);
    s.Memo.onKeyDown = [this](ui::Control&, WORD& key, UINT) {
        if (key == VK_ESCAPE) {
            key = 0;
            setModalResult(ui::mrCancel);
        }
    };
    s.MemoPopup = std::make_unique<ui::RichEditPopup>(s.Memo);
    y += memoHeight + 8;
    if (!categories)
        return;
    ui::Put(s.CategoryLabel, panel, 10, y + 4, 66, 16, "&Category:");
    ui::Put(s.CategoryList, panel, 78, y, 150, 200);
    ui::Put(s.FlagsBtn, panel, 236, y - 1, 64, 24, "&Flags");
    s.FlagsBtn.onClick = [this, page](ui::Button&) { showFlagsPopup(page); };
    ui::Put(s.EditCatBtn, panel, 306, y - 1, 64, 24, "&Edit");
    s.EditCatBtn.onClick = [this](ui::Button&) { editCategoriesClick(); };
}

std::string TPropertiesForm::date(std::uint32_t dos) const {
    std::string text = FileDateToStr(dos, services_.dateFormat);
    return text;
}

TCatalogRec* TPropertiesForm::catalogRecord() const {
    Node* top = node_;
    while (top && top->parent()) top = top->parent();
    return top ? RecordAs<TCatalogRec>(top->record()) : nullptr;
}

void TPropertiesForm::FillPropertiesForm(Node* node, TFileRec* file, const TDiskRec* templateDisk,
                                         char templateLetter) {
    node_ = node;
    file_ = file;
    diskNode_ = node ? FindAncestor<TDiskRec>(node) : nullptr;
    disk_ = diskNode_ ? RecordAs<TDiskRec>(diskNode_->record()) : templateDisk;
    pages_ = ChoosePropertyPages(node ? node->record() : templateDisk, file);
    flagBits_ = {};
    for (int p = 0; p < 4; ++p) Pages.setPageVisible(p, pages_.shown[static_cast<std::size_t>(p)]);
    if (pages_.has(PropertyPage::File)) fillFile();
    if (pages_.has(PropertyPage::Folder)) fillFolder();
    if (pages_.has(PropertyPage::Disk) && disk_) fillDisk(*disk_, diskNode_, templateLetter);
    if (pages_.has(PropertyPage::Catalog)) fillCatalog();
    for (Sheet& s : sheets) {
        if (services_.descriptionFont) s.Memo.setFont(services_.descriptionFont);
        s.Memo.setModified(false);
    }
    Pages.setActivePage(static_cast<int>(pages_.first));
}

bool TPropertiesForm::Run() {
    onShow = [this](ui::Form&) { sheet(pages_.first).Memo.setFocus(); };
    const bool ok = showModal() == ui::mrOk;
    advanced_.reset();
    return ok;
}

void TPropertiesForm::setAttributes(PropertyPage page, std::uint8_t attributes) {
    Sheet& s = sheet(page);
    for (std::size_t i = 0; i < s.attributes.size(); ++i) s.attributes[i].setChecked(attributes & kAttributeBits[i]);
}

void TPropertiesForm::fillFile() {
    Sheet& s = sheet(PropertyPage::File);
    const TFileRec& f = *file_;
    const std::string name(f.name());
    s.NameLabel.setText(name);
    s.IconImage.setIcon(services_.largeImages, services_.iconOf ? services_.iconOf(&f) : -1);
    const std::size_t dot = name.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    std::string type = FileTypeText(name, ext.empty() || !services_.typeName ? std::string() : services_.typeName(ext));
    const bool member = HasFlag(f.flags, ItemFlags::Archive);
    const std::string_view sep = services_.decimalSeparator;
    if (member) type = "Compressed " + type;
    row(PropertyPage::File, 0).value.setText(type);
    row(PropertyPage::File, 1).value.setText(SizeWithBytes(f.stored.size, sep));
    // A member keeps its packed size and CRC where other files keep two dates.
    row(PropertyPage::File, 2).caption.setText(member ? "Compressed Size:" : "Created on:");
    row(PropertyPage::File, 2).value.setText(member ? PackedSizeText(f.stored.accessed, f.stored.size, sep)
                                                    : date(f.stored.created));
    row(PropertyPage::File, 3).value.setText(date(f.stored.modified));
    row(PropertyPage::File, 4).caption.setText(member ? "File CRC:" : "Last Accessed on:");
    row(PropertyPage::File, 4).value.setText(member ? CrcText(f.stored.created) : date(f.stored.accessed));
    row(PropertyPage::File, 5).value.setText(
        diskNode_ && disk_ ? diskNode_->text() + " (" + MediaTypeName(disk_->volume.mediaType, disk_->flags) + ")"
                           : std::string());
    row(PropertyPage::File, 6).value.setText(GetItemPath(&f, false, false));
    setAttributes(PropertyPage::File, f.stored.attributes);
    s.Memo.setText(f.description.str());
    fillCategories(PropertyPage::File, f.stored.category);
}

void TPropertiesForm::fillFolder() {
    Sheet& s = sheet(PropertyPage::Folder);
    const TFolderRec& folder = *RecordAs<TFolderRec>(node_->record());
    const bool archive = HasFlag(folder.flags, ItemFlags::Archive);
    Pages.setPageCaption(static_cast<int>(PropertyPage::Folder), archive ? "Archive file" : "Folder info");
    s.DescLabel.setText(archive ? "Archive File D&escription:" : "Folder D&escription:");
    s.NameLabel.setText(node_->text());
    s.IconImage.setIcon(services_.largeImages, services_.iconOf ? services_.iconOf(&folder) : -1);
    row(PropertyPage::Folder, 0).value.setText(archive ? ArchiveFolderType(node_->text()) : "Folder");
    row(PropertyPage::Folder, 1).caption.setText(archive ? "File Size:" : "Folder Size:");
    row(PropertyPage::Folder, 1).value.setText(SizeWithBytes(folder.stored.totalSize.bytes(), services_.decimalSeparator));
    row(PropertyPage::Folder, 2).value.setText(date(folder.stored.created));
    row(PropertyPage::Folder, 3).value.setText(date(folder.stored.modified));
    row(PropertyPage::Folder, 4).value.setText(date(folder.stored.accessed));
    row(PropertyPage::Folder, 5).value.setText(
        diskNode_ && disk_ ? diskNode_->text() + " (" + MediaTypeName(disk_->volume.mediaType, disk_->flags) + ")"
                           : std::string());
    row(PropertyPage::Folder, 6).value.setText(GetItemPath(&folder, false, false));
    setAttributes(PropertyPage::Folder, folder.stored.attributes);
    s.Memo.setText(folder.description);
    fillCategories(PropertyPage::Folder, folder.stored.category);
}

void TPropertiesForm::fillDisk(const TDiskRec& disk, Node* diskNode, char templateLetter) {
    Sheet& s = sheet(PropertyPage::Disk);
    const std::string_view sep = services_.decimalSeparator;
    s.NameLabel.setText(diskNode ? diskNode->text() : "Drive " + std::string(1, templateLetter) + ":");
    s.IconImage.setIcon(services_.largeImages, services_.iconOf ? services_.iconOf(&disk) : -1);
    row(PropertyPage::Disk, 0).value.setText(MediaTypeName(disk.volume.mediaType, disk.flags));
    row(PropertyPage::Disk, 1).value.setText(disk.label);
    row(PropertyPage::Disk, 2).value.setText(SerialText(disk.volume.serialNumber));
    row(PropertyPage::Disk, 3).value.setText(FormatSize(GetDiskSpace(disk, DiskSpaceKind::Total), sep));
    row(PropertyPage::Disk, 4).value.setText(FormatSize(GetDiskSpace(disk, DiskSpaceKind::Free), sep));
    Node* catalog = diskNode ? diskNode->parent() : nullptr;
    row(PropertyPage::Disk, 5).value.setText(catalog ? catalog->text() : "(not in catalog yet)");
    const double when = disk.volume.catalogued;
    row(PropertyPage::Disk, 6).value.setText(
        when == 0 ? std::string() : services_.catalogDate ? services_.catalogDate(when) : isoCatalogDate(when));
    const bool isVirtual = disk.isVirtual();
    row(PropertyPage::Disk, 7).caption.setVisible(isVirtual);
    row(PropertyPage::Disk, 7).value.setVisible(isVirtual);
    row(PropertyPage::Disk, 7).value.setText(isVirtual ? disk.virtualPath : std::string());
    s.CompressedLabel.setVisible(HasFlag(disk.flags, ItemFlags::Archive));
    s.DiskAdvButton.setEnabled(true);
    s.Memo.setText(disk.description);
}

void TPropertiesForm::fillCatalog() {
    Sheet& s = sheet(PropertyPage::Catalog);
    const TCatalogRec& catalog = *RecordAs<TCatalogRec>(node_->record());
    const CatalogStatistics stats = CollectCatalogStatistics(*node_);
    const std::string_view sep = services_.decimalSeparator;
    s.NameLabel.setText(node_->text());
    s.IconImage.setIcon(services_.largeImages, services_.iconOf ? services_.iconOf(&catalog) : -1);
    row(PropertyPage::Catalog, 0).value.setText("Catalog");
    row(PropertyPage::Catalog, 1).value.setText(std::to_string(stats.disks));
    row(PropertyPage::Catalog, 2).value.setText(FormatSize(stats.total, sep));
    row(PropertyPage::Catalog, 3).value.setText(FormatSize(stats.used, sep));
    row(PropertyPage::Catalog, 4).value.setText(std::to_string(stats.files));
    row(PropertyPage::Catalog, 5).value.setText(std::to_string(stats.folders));
    for (std::size_t c = 0; c < kDiskClassCaptions.size(); ++c) {
        InfoRow& r = row(PropertyPage::Catalog, 7 + c);
        r.caption.setBounds(30, r.caption.top(), kCaptionWidth - 20, 16);
        r.value.setText(DiskClassText(stats, static_cast<DiskClass>(c), sep));
    }
    s.Memo.setText(catalog.description);
}

void TPropertiesForm::fillCategories(PropertyPage page, std::uint8_t categoryByte) {
    Sheet& s = sheet(page);
    const TCatalogRec* catalog = catalogRecord();
    const CategoryChoices choices = ListCategoryChoices(catalog, categoryByte);
    s.CategoryList.clear();
    for (std::size_t i = 0; i < choices.names.size(); ++i) s.CategoryList.addItem(choices.names[i], choices.codes[i]);
    s.CategoryList.setItemIndex(choices.selected);
    s.CategoryList.setEnabled(choices.enabled);
    std::uint8_t& bits = flagBits_[static_cast<std::size_t>(page)];
    bits = static_cast<std::uint8_t>(categoryByte & ~CategoryByte::CodeMask);
    // One check item per named flag, Tag = the flag's number.
    while (s.FlagsPopup.Items().Count() > 0) s.FlagsPopup.Items().Delete(0);
    for (int n = 1; n <= CategoryByte::UserFlagCount; ++n) {
        const std::string& name = catalog ? catalog->flagNames[static_cast<std::size_t>(n - 1)] : std::string();
        if (name.empty()) continue;
        ui::MenuItem& item = s.FlagsPopup.Items().Add(name, [&bits](ui::MenuItem& sender) {
            sender.SetChecked(!sender.Checked());
            bits = CategoryByte::WithUserFlag(bits, sender.Tag, sender.Checked());
        });
        item.Tag = n;
        item.SetChecked(CategoryByte::HasUserFlag(categoryByte, n));
    }
    s.FlagsBtn.setEnabled(s.FlagsPopup.Items().Count() > 0);
    s.EditCatBtn.setEnabled(static_cast<bool>(services_.editCategories) && catalog);
}

void TPropertiesForm::showFlagsPopup(PropertyPage page) {
    Sheet& s = sheet(page);
    RECT r{};
    GetWindowRect(s.FlagsBtn.hwnd(), &r);
    s.FlagsPopup.Popup(hwnd(), r.left, r.bottom);
}

void TPropertiesForm::editCategoriesClick() {
    Node* top = node_;
    while (top && top->parent()) top = top->parent();
    if (!top || !services_.editCategories || !services_.editCategories(top))
        return;
    // Only the category choices are filled again: the description being
    // edited stays as the user left it.
    const std::uint8_t current = ChosenCategoryByte();
    for (PropertyPage page : {PropertyPage::File, PropertyPage::Folder})
        if (pages_.has(page) && page == pages_.first) fillCategories(page, current);
}

std::uint8_t TPropertiesForm::ChosenCategoryByte() const {
    if (pages_.first != PropertyPage::File && pages_.first != PropertyPage::Folder)
        return 0;
    const Sheet& s = sheets[static_cast<std::size_t>(pages_.first)];
    const int index = s.CategoryList.itemIndex();
    const auto code = index >= 0 && s.CategoryList.enabled() ? static_cast<std::uint8_t>(s.CategoryList.object(index))
                                                             : std::uint8_t{0};
    return CategoryByte::WithCode(flagBits_[static_cast<std::size_t>(pages_.first)], code);
}

std::string TPropertiesForm::ChosenDescription() const { return sheets[static_cast<std::size_t>(pages_.first)].Memo.text(); }

void TPropertiesForm::ShowAdvanced() {
    if (!disk_)
        return;
    Sheet& s = sheet(PropertyPage::Disk);
    s.DiskAdvButton.setEnabled(false);
    advanced_ = std::make_unique<TAdvDiskForm>();
    advanced_->Fill(*disk_, diskNode_, sheet(PropertyPage::Disk).NameLabel.text(), services_.largeImages,
                    services_.iconOf ? services_.iconOf(disk_) : -1, services_.decimalSeparator);
    advanced_->showModal();
    advanced_.reset();
    s.DiskAdvButton.setEnabled(true);
}

}  // namespace kv

#pragma once
// "Properties": what the catalog knows about a file or archive member, a
// folder or archive folder, a disk or a catalog, with the description,
// category and flags the user may edit. The caller writes the edits back.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "base/text/DateText.h"
#include "catalog/model/FileRecord.h"
#include "catalog/model/Node.h"
#include "scan/properties/ItemIconWin32.h"
#include "scan/properties/PropertiesFacts.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Menu.h"
#include "ui/PageControl.h"
#include "ui/RichEdit.h"
#include "ui/RichEditPopup.h"

namespace kv {

class TAdvDiskForm;

struct PropertiesServices {
    // The item's large icon: an index into largeImages; -1 for none.
    HIMAGELIST largeImages = nullptr;
    std::function<int(const ItemHead* item)> iconOf;
    // The shell's type name of an extension; empty when it knows none.
    std::function<std::string(const std::string& ext)> typeName;
    DateTimeFormatter dateFormat;
    std::function<std::string(double catalogued)> catalogDate;
    std::string decimalSeparator = ".";
    // The description font of the settings; null: the window's own.
    HFONT descriptionFont = nullptr;
    // Opens Categories Setup on the catalog; true after OK.
    std::function<bool(Node* catalog)> editCategories;
};

// A caption with its value to the right.
struct InfoRow {
    ui::Label caption, value;
};

class TPropertiesForm : public ui::Form {
public:
    explicit TPropertiesForm(PropertiesServices services);
    ~TPropertiesForm() override;

    // Node: the folder, disk or catalog, or the folder or disk holding file.
    // A template disk (the Add Disk window's) has no node: give its record.
    void FillPropertiesForm(Node* node, TFileRec* file, const TDiskRec* templateDisk = nullptr,
                            char templateLetter = 0);
    // Shows the window modally; true after OK.
    bool Run();
    void SetDescriptionFont(HFONT font) { services_.descriptionFont = font; }

    // After OK: the category byte of the file or folder page (code and flags),
    // and the description of the page first shown.
    std::uint8_t ChosenCategoryByte() const;
    std::string ChosenDescription() const;
    // The page the item itself is on.
    PropertyPage ItemPage() const { return pages_.first; }
    Node* ShownNode() const { return node_; }
    TFileRec* ShownFile() const { return file_; }

    ui::PageControl Pages;
    ui::Button OKBtn, CancelBtn;

    // One page's controls; attribute boxes and category controls only on the
    // file and folder pages.
    struct Sheet {
        ItemIconView IconImage;
        ui::Label NameLabel;
        std::vector<std::unique_ptr<InfoRow>> rows;
        std::array<ui::CheckBox, 4> attributes;
        ui::Label DescLabel;
        ui::RichEdit Memo;
        // Cut, Copy, Paste, Delete and Select All on the description.
        std::unique_ptr<ui::RichEditPopup> MemoPopup;
        ui::Label CategoryLabel;
        ui::ComboBox CategoryList;
        ui::Button FlagsBtn, EditCatBtn;
        ui::PopupMenu FlagsPopup;
        ui::Button DiskAdvButton;
        ui::Label CompressedLabel;
    };
    std::array<Sheet, 4> sheets;
    Sheet& sheet(PropertyPage p) { return sheets[static_cast<std::size_t>(p)]; }
    InfoRow& row(PropertyPage p, std::size_t i) { return *sheet(p).rows.at(i); }

    // Advanced Disk Info while it is open.
    TAdvDiskForm* advancedForm() const { return advanced_.get(); }
    void ShowAdvanced();

private:
    void buildSheet(PropertyPage page, const std::vector<const char*>& captions, bool categories, bool attributes);
    void fillFile();
    void fillFolder();
    void fillDisk(const TDiskRec& disk, Node* diskNode, char templateLetter);
    void fillCatalog();
    void fillCategories(PropertyPage page, std::uint8_t categoryByte);
    void setAttributes(PropertyPage page, std::uint8_t attributes);
    void showFlagsPopup(PropertyPage page);
    void editCategoriesClick();
    TCatalogRec* catalogRecord() const;
    std::string date(std::uint32_t dos) const;

    PropertiesServices services_;
    PropertyPages pages_;
    Node* node_ = nullptr;
    TFileRec* file_ = nullptr;
    const TDiskRec* disk_ = nullptr;
    Node* diskNode_ = nullptr;
    // Bits 5..7 as the file and folder pages' popups show them.
    std::array<std::uint8_t, 2> flagBits_{};
    std::unique_ptr<TAdvDiskForm> advanced_;
};

}  // namespace kv

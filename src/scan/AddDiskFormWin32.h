#pragma once
// The Add/Update Disk dialog: a button per drive, the disk's name, the target
// catalog and the scan options; OK decides whether the medium is new or
// replaces a catalogued disk (AddDiskDecision).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalog/model/ItemRecords.h"
#include "scan/AddDiskDecision.h"
#include "scan/DiskMatching.h"
#include "scan/ScanTypes.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/SpeedButton.h"
#include "ui/StatusBar.h"
#include "ui/UserPrompt.h"

namespace kv {

// What the dialog asks of the machine and of the program around it.
struct AddDiskServices {
    ui::UserPrompt* prompt = nullptr;
    std::function<std::uint32_t()> logicalDrives;
    std::function<std::uint8_t(char letter)> mediaType;
    // Fills a fresh disk record with the volume data of the medium in the drive.
    std::function<void(char letter, TDiskRec& disk)> initDiskRecord;
    // Asks Retry/Cancel while the drive is not ready; false after Cancel.
    std::function<bool(char letter)> checkDriveReady;
    std::function<bool(const std::string& folder)> folderExists;
    // The folder browser for the virtual root: a path without the drive, or empty after Cancel.
    std::function<std::string(char letter)> browseVirtualRoot;
    // The drive that holds the disk to update, asking for it; none: the dialog
    // ends as cancelled; '\0': the user picks the drive.
    std::function<std::optional<char>(Node* disk)> locateMedia;
    // The disk selection window over two or more matching disks.
    SelectDisk selectDisk;
    // The 32 x 32 icon of the drive's media type (the shared large image list);
    // the dialog destroys it. None, or no icon: a button without a picture.
    std::function<HICON(char letter)> driveIcon;
    // "Save as default" on an accepted dialog: the boxes as they are checked.
    std::function<void(const ScanOptions& boxes, bool ejectMedia)> saveDefaults;
    // "Disk Info": the properties of the volume in the selected drive.
    std::function<void(const TDiskRec& disk, char letter)> showDiskInfo;
    // Keep the catalogued disk's name when the medium matches one ("UpdateNameCheck").
    bool keepDiskName = true;
};

struct DriveButton {
    char letter = 'C';
    // A folder of the drive, beginning and ending with "\"; empty: the whole drive.
    std::string virtualRoot;
    ui::SpeedButton button;
    ui::GdiObject<HBITMAP> glyph;
    ui::Label label;
};

class TAddDiskForm : public ui::Form {
public:
    explicit TAddDiskForm(AddDiskServices services);
    ~TAddDiskForm() override;

    std::vector<std::unique_ptr<DriveButton>> driveButtons;
    ui::Label EmptyDriveLabel, DiskNameLabel, DatabaseLabel, VirtualRootLabel;
    ui::Edit DiskName;
    ui::ComboBox DatabaseList;
    ui::CheckBox VirtualRootCheck;
    ui::Button OKBtn, CancelBtn, DiskInfoBtn, AdvancedBtn;
    ui::Panel OptionsPanel;
    ui::CheckBox BrowseArchiveCheck, Import4DOSCheck, ImportBBSCheck, ImportDizCheck, ImportCommentCheck;
    ui::CheckBox KeepCurrentCheck, EjectMediaCheck, ArchiveQuickScan, ArchiveDescOnly, DefaultCheck;
    ui::ComboBox ImportDescCombo;
    ui::StatusBar StatusBar;

    // The drive mask the buttons were made for.
    std::uint32_t DriveMask = 0;
    AddDiskState state;
    // The selected drive's volume data; none without a drive.
    std::unique_ptr<TDiskRec> TemplateDisk;
    DriveButton* SelectedDriveButton = nullptr;
    // The open catalogs the dialog offers, and the one to preselect.
    std::vector<Node*> catalogs;
    Node* preferredCatalog = nullptr;

    // Sets the dialog up for adding (updatedDisk none) or updating a disk, and
    // the option boxes from the defaults; then shows it modally. True when accepted.
    bool Run(Node* updatedDisk, const ScanOptions& defaults, bool ejectMedia);

    void SelectDrive(DriveButton* button);
    void SelectDriveByLetter(char letter);
    void OKBtnClick();
    Node* selectedCatalog() const;
    // The options as the boxes are now.
    ScanOptions scanOptions(const ScanOptions& defaults) const;
    bool ejectMedia() const { return EjectMediaCheck.checked(); }

private:
    void layout();
    void prepareForm(std::uint8_t referenceMedia, bool update);
    void findMatchingDisks();
    void showDriveStatus();
    enum class BoxChange { None, BrowseArchives, ImportComment, Other };
    void setupDialog(BoxChange change);
    MediumChoice medium() const;
    bool preTranslateMessage(MSG& msg) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // The help topic of the control under the point (client coordinates).
    unsigned long helpTopicAt(POINT point) const;

    AddDiskServices services_;
    bool selecting_ = false;
};

}  // namespace kv

#pragma once
// "Select Disk": the catalogued disks that look like the inserted medium; the
// user updates one of them or adds the medium as a new disk.
#include <functional>
#include <string>
#include <vector>

#include "controls/VirtualListView.h"
#include "controls/menus/OwnerDrawMenuWin32.h"
#include "scan/AddDiskDecision.h"
#include "scan/DiskSelectOrder.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/UserPrompt.h"

namespace kv {

// What the window shows of a disk: the main window's disk-list columns.
struct DiskColumns {
    std::vector<std::string> titles;
    std::function<std::string(const Node* disk, int column)> cellText;
    std::function<int(const Node* disk)> image;
    CandidateCompare compare;
};

class TDiskSelectForm : public ui::Form {
public:
    TDiskSelectForm(DiskColumns columns, ui::UserPrompt& prompt);
    ~TDiskSelectForm() override;

    ui::Label Label1;
    ui::TExtListView DisksListView;
    ui::Button UpdateBtn;
    ui::Button NewBtn;
    ui::Button CancelBtn;
    ui::Button HintBtn;
    // Right click or Shift+F10 on a row: update that disk or see its properties.
    ui::TODPopupMenu DiskPopup;
    ui::MenuItem* DiskUpdateMenu = nullptr;
    ui::MenuItem* DiskPropertiesMenu = nullptr;

    std::vector<Node*> Candidates;
    CandidateOrder order;
    // F4, Alt+Enter or the popup's "Disk Properties" on a row: the disk's
    // properties (the list is redrawn after).
    std::function<void(Node* disk)> onProperties;

    // Shows the window modally over the candidates.
    DiskSelectResult Select(const std::vector<Node*>& candidates, std::size_t& chosen);
    int selectedRow() const;

private:
    bool preTranslateMessage(MSG& msg) override;
    void FormShow();
    void showProperties();

    DiskColumns columns_;
    ui::UserPrompt& prompt_;
};

}  // namespace kv

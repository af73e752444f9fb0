#pragma once
// "Advanced Disk Info": a disk's file-system figures and a pie of its free
// and used space.
#include <array>
#include <string>

#include <windows.h>

#include <commctrl.h>

#include "catalog/model/Node.h"
#include "scan/properties/ItemIconWin32.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/PieChart.h"

namespace kv {

class TAdvDiskForm : public ui::Form {
public:
    TAdvDiskForm();
    ~TAdvDiskForm() override;
    // diskNode may be null (a disk not in a catalog yet): nothing is lost then.
    void Fill(const TDiskRec& disk, const Node* diskNode, const std::string& name, HIMAGELIST images, int icon,
              const std::string& decimalSeparator);

    static constexpr std::size_t kRows = 8;
    std::array<ui::Label, kRows> captions, values;
    ItemIconView DiskIcon;
    ui::Label DiskName;
    ui::PieChart PieChart;
    ui::Button OKBtn;
};

}  // namespace kv

#include "scan/properties/AdvDiskFormWin32.h"

#include "base/text/SizeFormat.h"
#include "catalog/model/DiskSpace.h"
#include "scan/DialogButtonsWin32.h"
#include "scan/properties/PropertiesFacts.h"
#include "ui/PlaceControl.h"

namespace kv {

TAdvDiskForm::TAdvDiskForm() {
    SetUpDialogForm(*this, "Advanced Disk Info", "KvAdvDiskForm", 460, 300);
    ui::Put(DiskIcon, *this, 10, 8, 36, 36);
    ui::Put(DiskName, *this, 54, 18, 390, 18);
    static constexpr std::array<const char*, kRows> kCaptions = {
        "File System:",      "Max. Filename Length:", "Total Files:",  "Total Folders:",
        "Bytes per Sector:", "Sectors per Cluster:",  "Cluster Size:", "Lost in File System:"};
    for (std::size_t i = 0; i < kRows; ++i) {
        const int y = 54 + static_cast<int>(i) * 20;
        ui::Put(captions[i], *this, 10, y, 130, 16, kCaptions[i]);
        ui::Put(values[i], *this, 142, y, 100, 16);
    }
    ui::Put(PieChart, *this, 236, 50, 216, 170);
    OKBtn.modalResult = ui::mrOk;
    ui::Put(OKBtn, *this, 190, 262, 80, 26, "OK");
    OKBtn.setDefault(true);
    setDefaultControl(&OKBtn);
    setCancelControl(&OKBtn);
}

TAdvDiskForm::~TAdvDiskForm() { destroyWindow(); }

void TAdvDiskForm::Fill(const TDiskRec& disk, const Node* diskNode, const std::string& name, HIMAGELIST images,
                        int icon, const std::string& decimalSeparator) {
    DiskIcon.setIcon(images, icon);
    DiskName.setText(name);
    const VolumeData& v = disk.volume;
    const std::uint64_t cluster = std::uint64_t{v.bytesPerSector} * v.sectorsPerCluster;
    const std::array<std::string, kRows> texts = {
        disk.fileSystem,
        std::to_string(v.maxNameLength),
        std::to_string(v.fileCount),
        std::to_string(v.folderCount),
        std::to_string(v.bytesPerSector),
        std::to_string(v.sectorsPerCluster),
        std::to_string(cluster),
        diskNode ? FormatSize(LostInFileSystem(*diskNode), decimalSeparator) : std::string("0 B")};
    for (std::size_t i = 0; i < kRows; ++i) values[i].setText(texts[i]);
    const FixedSize total = GetDiskSpace(disk, DiskSpaceKind::Total);
    const FixedSize used = GetDiskSpace(disk, DiskSpaceKind::Used);
    const FixedSize free = GetDiskSpace(disk, DiskSpaceKind::Free);
    const PieSplit split = SplitPie(total, used);
    std::vector<ui::PieSlice> slices;
    if (split.showFree)
        slices.push_back({"Free: " + FormatSize(free, decimalSeparator), double(100 - split.usedPercent), RGB(0, 200, 0)});
    slices.push_back({"Used: " + FormatSize(used, decimalSeparator), double(split.usedPercent), RGB(220, 0, 0)});
    PieChart.setSlices(std::move(slices));
    PieChart.setTitle("Total capacity: " + FormatSize(total, decimalSeparator));
}

}  // namespace kv

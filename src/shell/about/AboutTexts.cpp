#include "shell/about/AboutTexts.h"

#include <algorithm>

#include "base/text/SizeFormat.h"

namespace kv {

namespace {
constexpr std::array<const char*, kTipCount> kTips = {
    "You can adjust size of buttons in a toolbar. Have a look in the program settings and resize them to fit your "
    "screen best.",
    "Toolbar can be dragged away to become floating, or docked to any side of the main window. Just click it by the "
    "edge and drag it to a new location.",
    "Most commands can be accessed faster if you right-click on an item.",
    "Catalogs you use often can be opened for you every time the program starts. Add them to the auto-load list in "
    "the program settings.",
    "User list can help you collect items of interest in one place. Use searching or just select item to add in the "
    "main window and add it to user list. User list is most commonly used as a source for report generator.",
    "Fonts in all major windows can be adjusted to fit your needs. You can select new fonts specially for Korvalder? "
    "in the settings menu.",
    "Disks or catalogs can easily be renamed if you select them in main window and after a while click them again - "
    "just like in Windows 95 shell.",
    "You can quickly get selected item's properties if you click on the status bar.",
    "While in details view, you can quickly sort data by any column, just by clicking on the column header.",
    "You can customize columns layout when data it displayed in the details mode. Just right-click on column header, "
    "or select \"View / Columns Setup\" from main menu.",
};
}  // namespace

std::string OsNameText(std::uint32_t platformId) {
    switch (platformId) {
    case 0: return "Windows 3.1 (Win32s)";
    case 1: return "Windows 95";
    default: return "Windows NT";
    }
}

std::string OsVersionText(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
    std::string minorText = std::to_string(minor);
    if (minorText.size() < 2)
        minorText.insert(0, "0");
    return "Version " + std::to_string(major) + "." + minorText + "." + std::to_string(build & 0xFFFF);
}

std::string FreeMemoryText(std::uint64_t available, std::uint64_t total) {
    const std::uint64_t percent =
        total == 0 ? 0 : std::min<std::uint64_t>(100, (available * 100 + total / 2) / total);
    return FormatSize(available) + " (" + std::to_string(percent) + "%)";
}

const char* TipText(int index) {
    return kTips[static_cast<std::size_t>(std::clamp(index, 1, kTipCount) - 1)];
}

int NextTip(int index) { return index >= kTipCount ? 1 : index + 1; }

int PreviousTip(int index) { return index <= 1 ? kTipCount : index - 1; }

}  // namespace kv

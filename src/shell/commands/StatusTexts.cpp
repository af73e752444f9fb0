#include "shell/commands/StatusTexts.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "base/Errors.h"
#include "base/text/SizeFormat.h"
#include "base/text/TextLines.h"
#include "catalog/model/DiskSpace.h"
#include "catalog/model/FileRecord.h"
#include "system/drives/MediaTypes.h"

namespace kv {

std::string CatalogStateText(const Node* selected) {
    const Node* catalogNode = FindAncestor<TCatalogRec>(const_cast<Node*>(selected));
    if (!catalogNode)
        return "Empty";
    return RecordAs<TCatalogRec>(catalogNode->record())->modified ? "Modified" : "Loaded";
}

std::array<int, 4> StatusPanelWidths(int clientWidth) {
    const int free = std::max(0, clientWidth - 75 - 33 - 6);
    const int first = free * 70 / 100;
    return {75, first, free - first, 33};
}

int StatusPanelAt(const std::array<int, 4>& widths, int x) {
    int right = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        right += widths[i];
        if (x < right)
            return static_cast<int>(i);
    }
    return -1;
}

namespace {

std::string counted(std::size_t n, const char* noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

std::string folderSummary(std::string_view caption, const TFolderRec& folder, const SummaryServices& services) {
    const bool archive = HasFlag(folder.flags, ItemFlags::Archive);
    std::string text = std::string(caption) + " (" + (archive ? "compressed archive file" : "folder") + "), " +
                       FormatSize(folder.stored.totalSize);
    if (folder.stored.totalSize.raw == 0 || !folder.node)
        return text;
    Node& node = *folder.node;
    try {
        if (services.loadSubfolders)
            services.loadSubfolders(node);
    } catch (const EInvalidCatalog&) {
        // The load reports the damage itself; count what is present.
    }
    std::size_t subfolders = 0;
    std::size_t files = folder.stored.fileCount;
    for (const auto& child : node.children()) {
        const ItemRecord* rec = child->record();
        if (rec && HasFlag(rec->flags, ItemFlags::Archive))
            ++files;
        else
            ++subfolders;
    }
    return text + (archive ? " includes " : " in ") + counted(subfolders, "subfolder") + ", " + counted(files, "file");
}

}  // namespace

std::string GetItemSummary(std::string_view caption, const ItemHead* record, bool isUpRow,
                           const SummaryServices& services) {
    if (!record)
        return "";
    if (isUpRow)
        return "Previous folder...";
    if (const TFileRec* file = RecordAs<TFileRec>(record)) {
        std::string text(caption);
        if (HasFlag(file->flags, ItemFlags::Archive))
            text += " (compressed file)";
        std::string date = FileDateToStr(file->stored.modified, services.shortDate);
        return text + ", " + FormatSize(file->stored.size) + ", " + date;
    }
    if (const TFolderRec* folder = RecordAs<TFolderRec>(record))
        return folderSummary(caption, *folder, services);
    if (const TDiskRec* disk = RecordAs<TDiskRec>(record)) {
        return std::string(caption) + " (" + MediaTypeName(disk->volume.mediaType, disk->flags) + "), " +
               FormatSize(GetDiskSpace(*disk, DiskSpaceKind::Total)) + ", free " +
               FormatSize(GetDiskSpace(*disk, DiskSpaceKind::Free));
    }
    if (const TCatalogRec* catalog = RecordAs<TCatalogRec>(record)) {
        std::size_t disks = 0;
        if (catalog->node) {
            for (const auto& child : catalog->node->children())
                disks += RecordAs<TDiskRec>(child->record()) ? 1 : 0;
        }
        return std::string(caption) + " (" + (catalog->fileName.empty() ? "no filename" : catalog->fileName) +
               "), total disks: " + std::to_string(disks);
    }
    return "";
}

HintTimings HintTimingsFor(bool overItemList, const DescriptionHintSettings& settings) {
    if (!overItemList)
        return {};
    HintTimings t;
    t.pause = std::max(0, settings.waitTenths) * 100;
    t.shortPause = static_cast<int>(std::lround(t.pause * 0.67));
    t.hidePause = settings.autohide ? std::max(0, settings.hideSeconds) * 1000 : kNeverHide;
    return t;
}

std::string DescriptionHintText(std::string_view description) {
    WrappedText wrapped = WrapText(description, 80, 15);
    if (wrapped.cut)
        wrapped.text += "\r\n(more...)";
    return wrapped.text;
}

namespace {

struct ButtonFact {
    const char* button;
    const char* shortcut;
    int helpContext;
};

// The main toolbar's buttons, then those of the tool windows that share their shortcuts.
constexpr ButtonFact kButtons[] = {
    {"ButtonNew", "Ctrl+N", 5000},
    {"ButtonOpen", "Ctrl+O", 5001},
    {"ButtonSave", "Ctrl+S", 5002},
    {"ButtonPrint", "Ctrl+R", 5006},
    {"ButtonAddDisk", "Ctrl+A", 5028},
    {"ButtonSearch", "Ctrl+F, F3", 5010},
    {"ButtonUserList", "Ctrl+U", 5012},
    {"ButtonBack", "Backspace", 5013},
    {"ButtonProperties", "Ctrl+P, Alt-Enter, F4", 5021},
    {"ButtonEditDesc", "Ctrl+E", 5020},
    {"ButtonView", "Ctrl+I", 5015},
    {"ButtonAddList", "Ctrl+L", 5018},
    {"ButtonHelp", "F1", 5037},
    {"ButtonExplorer", "", 5014},
    {"ButtonLaunch", "", 5016},
    {"ButtonExtract", "", 5017},
    {"ButtonSetCat", "", 5019},
    {"ButtonSort1", "", 5022},
    {"ButtonSort2", "", 5022},
    {"ButtonSort3", "", 5022},
    {"ButtonSort4", "", 5022},
    {"ButtonReverseSort", "", 5023},
    {"ButtonLargeIcon", "", 5024},
    {"ButtonSmallIcon", "", 5024},
    {"ButtonList", "", 5024},
    {"ButtonDetails", "", 5024},
    {"ButtonCompare", "", 5029},
    {"ButtonCopyTo", "", 5051},
    // The search window's buttons; the user-list and compare windows name theirs alike.
    {"BtnReport", "Ctrl+R", 0},
    {"BtnProperties", "Ctrl+P, Alt-Enter, F4", 0},
    {"BtnEditDesc", "Ctrl+E", 0},
    {"BtnView", "Ctrl+I", 0},
    {"BtnAddList", "Ctrl+L", 0},
    {"BtnDelete", "Del", 0},
    {"BtnClear", "Shift-Del", 0},
    {"BtnStayOnTop", "Ctrl-T", 0},
};

const ButtonFact* findButton(std::string_view name) {
    for (const ButtonFact& b : kButtons) {
        if (name == b.button)
            return &b;
    }
    return nullptr;
}

}  // namespace

std::string_view ButtonShortcutText(std::string_view buttonName) {
    const ButtonFact* b = findButton(buttonName);
    return b ? b->shortcut : "";
}

std::string HintWithShortcut(std::string_view hint, std::string_view buttonName, bool showShortcuts) {
    std::string text(hint);
    std::string_view shortcut = ButtonShortcutText(buttonName);
    if (showShortcuts && !shortcut.empty())
        text += " (" + std::string(shortcut) + ")";
    return text;
}

int ButtonHelpContext(std::string_view buttonName) {
    const ButtonFact* b = findButton(buttonName);
    return b ? b->helpContext : 0;
}

}  // namespace kv

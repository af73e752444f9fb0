#include "shell/commands/CommandPopups.h"

#include <array>
#include <string_view>

#include "catalog/model/ItemFlags.h"

namespace kv {

namespace {

using C = CommandId;
using S = PopupShow;
using E = PopupEnable;
namespace M = KindMask;

constexpr std::uint8_t kNodes = M::Folder | M::Disk | M::Catalog;

constexpr PopupEntry kTree[] = {
    {"TreeMenuAddCat", "Add New Catalog", C::NewCatalog, S::Kinds, M::None | M::Catalog, E::Always},
    {"TreeMenuOpenCat", "Open Catalog", C::OpenCatalog, S::Kinds, M::None | M::Catalog, E::Always},
    {"TreeMenuSaveCat", "Save Catalog", C::Save, S::Kinds, M::Catalog, E::AsCommand},
    {"TreeMenuCloseCat", "Close Catalog", C::Close, S::Kinds, M::Catalog, E::Always},
    {"TreeMenuSeparator1", "-", C::Count, S::Kinds, M::Catalog, E::Always},
    {"TreeMenuNewDisk", "Add New Disk Image", C::AddDisk, S::Kinds, M::Catalog, E::Always},
    {"TreeMenuUpdateDisk", "Update Disk Image", C::AddDisk, S::Kinds, M::Disk, E::Always},
    {"TreeMenuRename", "Rename", C::Rename, S::Kinds, M::Disk | M::Catalog, E::Always},
    {"TreeMenuDeleteDisk", "Delete Disk", C::DeleteDisk, S::Kinds, M::Disk, E::Always},
    {"TreeMenuCategories", "Categories Setup", C::Categories, S::Kinds, M::Catalog, E::Always},
    {"TreeMenuCatManager", "Catalog Manager", C::CatManager, S::Kinds, M::Catalog, E::Always},
    {"TreeMenuOpenExplorer", "Open in Explorer", C::Explorer, S::Kinds, M::Folder | M::Disk, E::Always},
    {"TreeMenuViewFile", "&View File", C::ViewFile, S::AsCommand, 0, E::AsCommand},
    {"TreeMenuLaunchFile", "Launch File", C::Launch, S::AsCommand, 0, E::AsCommand},
    {"TreeMenuCopyTo", "Copy To...", C::CopyTo, S::AsCommand, 0, E::AsCommand},
    {"TreeMenuExtractTo", "Extract To...", C::ExtractTo, S::AsCommand, 0, E::AsCommand},
    {"TreeMenuAddList", "Add To User List", C::AddToUserList, S::Kinds, M::Folder | M::Disk, E::Unlisted},
    {"TreeMenuSetCat", "Set Category and Flags", C::SetCategory, S::Kinds, M::Folder, E::Always},
    {"TreeMenuCompare", "Compare to Media", C::Compare, S::AsCommand, 0, E::AsCommand},
    {"TreeMenuSeparator2", "-", C::Count, S::Kinds, kNodes, E::Always},
    {"TreeMenuDescription", "Edit Description", C::EditDesc, S::Kinds, kNodes, E::Always},
    {"TreeMenuProperties", "Properties", C::Properties, S::Kinds, kNodes, E::Always},
};

constexpr PopupEntry kList[] = {
    {"ListMenuMoveTo", "Move To...", C::MoveInto, S::Kinds, M::Folder | M::Disk | M::Catalog, E::Always},
    {"ListMenuRename", "Rename", C::Rename, S::Kinds, M::Disk, E::Always},
    {"ListMenuUpdateDisk", "Update Disk Image", C::AddDisk, S::Kinds, M::Disk, E::Always},
    {"ListMenuDeleteDisk", "Delete Disk", C::DeleteDisk, S::Kinds, M::Disk, E::Always},
    {"ListMenuOpenExplorer", "Open in Explorer", C::Explorer, S::AsCommand, 0, E::AsCommand},
    {"ListMenuViewFile", "&View File", C::ViewFile, S::AsCommand, 0, E::AsCommand},
    {"ListMenuLaunchFile", "Launch File", C::Launch, S::AsCommand, 0, E::AsCommand},
    {"ListMenuCopyTo", "Copy To...", C::CopyTo, S::AsCommand, 0, E::AsCommand},
    {"ListMenuExtractTo", "Extract To...", C::ExtractTo, S::AsCommand, 0, E::AsCommand},
    {"ListMenuAddList", "Add To User List", C::AddToUserList, S::Kinds, M::AnyItem, E::AsCommand},
    {"ListMenuSetCat", "Set Category and Flags", C::SetCategory, S::AsCommand, 0, E::AsCommand},
    {"ListMenuCompare", "Compare to Media", C::Compare, S::AsCommand, 0, E::AsCommand},
    {"ListMenuDescription", "Edit Description", C::EditDesc, S::Kinds, M::AnyItem, E::Always},
    {"ListMenuProperties", "Properties", C::Properties, S::Kinds, M::AnyItem, E::Always},
};

std::uint8_t maskOf(std::uint8_t kind) {
    return kind <= ItemFlags::Catalog ? static_cast<std::uint8_t>(1u << kind) : 0;
}

std::vector<PopupItemState> evaluate(std::span<const PopupEntry> entries, std::uint8_t kind, bool listed,
                                     const CommandStates& commands) {
    std::vector<PopupItemState> states;
    for (const PopupEntry& e : entries) {
        const bool commandOn = e.command != CommandId::Count && commands[e.command].enabled;
        // An item whose window is still to come shows where its rule allows it,
        // disabled; with no node or row under the click there is nothing to act on.
        const bool commandAllowed = kind != 0 && e.command != CommandId::Count && commands[e.command].allowed;
        PopupItemState s;
        s.visible = e.show == PopupShow::AsCommand ? commandAllowed : (e.kinds & maskOf(kind)) != 0;
        switch (e.enable) {
        case PopupEnable::Always: s.enabled = true; break;
        case PopupEnable::AsCommand: s.enabled = commandOn; break;
        case PopupEnable::Unlisted: s.enabled = !listed; break;
        }
        states.push_back(s);
    }
    return states;
}

}  // namespace

std::span<const PopupEntry> TreePopupEntries() { return kTree; }

bool AddsNewDisk(std::string_view senderName) {
    return senderName == "ButtonAddDisk" || senderName == "MenuAddDisk" || senderName == "TreeMenuNewDisk";
}

std::span<const PopupEntry> ListPopupEntries() { return kList; }

std::vector<PopupItemState> TreePopupStates(std::uint8_t kind, bool listed, const CommandStates& commands) {
    return evaluate(kTree, kind, listed, commands);
}

std::vector<PopupItemState> ListPopupStates(std::uint8_t kind, int fileDoubleClick, const CommandStates& commands) {
    std::vector<PopupItemState> states = evaluate(kList, kind, false, commands);
    const char* defaultName = nullptr;
    if (kind == ItemFlags::File) {
        constexpr std::array<const char*, 3> kFileDefaults = {"ListMenuProperties", "ListMenuOpenExplorer",
                                                              "ListMenuLaunchFile"};
        if (fileDoubleClick >= 1 && fileDoubleClick <= 3)
            defaultName = kFileDefaults[static_cast<std::size_t>(fileDoubleClick - 1)];
    } else if (kind != 0) {
        defaultName = "ListMenuMoveTo";
    }
    for (std::size_t i = 0; i < states.size(); ++i)
        states[i].isDefault = defaultName && std::string_view(kList[i].name) == defaultName;
    return states;
}

CommandId FileDoubleClickCommand(int fileDoubleClick) {
    constexpr std::array<CommandId, 5> kActions = {C::Properties, C::Explorer, C::Launch, C::ViewFile, C::EditDesc};
    if (fileDoubleClick < 1 || fileDoubleClick > 5)
        return C::Count;
    return kActions[static_cast<std::size_t>(fileDoubleClick - 1)];
}

}  // namespace kv

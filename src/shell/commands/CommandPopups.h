#pragma once
// The tree's and the item list's popup menus as data: each entry's command and
// when it shows, over the kind of the node or row it was opened on.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "shell/commands/CommandRules.h"

namespace kv {

// Item kinds as mask bits: 1 << kind, and bit 0 for "nothing there".
namespace KindMask {
inline constexpr std::uint8_t None = 1;
inline constexpr std::uint8_t File = 1 << 1;
inline constexpr std::uint8_t Folder = 1 << 2;
inline constexpr std::uint8_t Disk = 1 << 3;
inline constexpr std::uint8_t Catalog = 1 << 4;
inline constexpr std::uint8_t AnyItem = File | Folder | Disk | Catalog;
}  // namespace KindMask

enum class PopupShow : std::uint8_t {
    Kinds,      // for the kinds in the mask
    AsCommand,  // shown and usable exactly when the command is usable
};

enum class PopupEnable : std::uint8_t {
    Always,
    AsCommand,     // as the main command
    Unlisted,      // the node's record is in no user list
};

struct PopupEntry {
    const char* name;
    const char* caption;  // "-" for a separator
    CommandId command;
    PopupShow show;
    std::uint8_t kinds;
    PopupEnable enable;
};

std::span<const PopupEntry> TreePopupEntries();
// The Add/Update Disk command adds a new disk from these senders and updates
// the target disk from any other ("Update Disk Image" of the popups).
bool AddsNewDisk(std::string_view senderName);

std::span<const PopupEntry> ListPopupEntries();

struct PopupItemState {
    bool visible = false;
    bool enabled = true;
    bool isDefault = false;
    bool operator==(const PopupItemState&) const = default;
};

// kind: the item kind of the node or row (0: none); listed: its record is in
// the user list. One state per entry, in entry order.
std::vector<PopupItemState> TreePopupStates(std::uint8_t kind, bool listed, const CommandStates& commands);
// fileDoubleClick: 1 Properties, 2 Explorer, 3 Launch is the default item for files.
std::vector<PopupItemState> ListPopupStates(std::uint8_t kind, int fileDoubleClick, const CommandStates& commands);

// The command a double click (or Enter) on a file runs: 1 Properties, 2 Open in
// Explorer, 3 Launch, 4 View, 5 Edit Description; Count for nothing.
CommandId FileDoubleClickCommand(int fileDoubleClick);

}  // namespace kv

#pragma once
// What the search window offers on its hits: which actions the selection
// allows, what a double click does and which popup item is the default.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "catalog/model/ItemHead.h"

namespace kv {

enum class FoundAction : std::uint8_t {
    None, Locate, EditDesc, Properties, SetCategory, Explorer, View, Launch, CopyTo, Extract, AddList, Remove, Clear,
    Report, Count
};

inline constexpr std::size_t kFoundActionCount = static_cast<std::size_t>(FoundAction::Count);

struct FoundSelection {
    const ItemHead* focused = nullptr;
    std::span<const ItemHead* const> selected;
    std::size_t rows = 0;
    bool searchRunning = false;
};

struct FoundActionStates {
    std::array<bool, kFoundActionCount> enabled{};
    bool operator[](FoundAction a) const { return enabled[static_cast<std::size_t>(a)]; }
    bool& operator[](FoundAction a) { return enabled[static_cast<std::size_t>(a)]; }
};

// Whether the archive named by a folder node's text can be extracted from.
using SupportedArchive = std::function<bool(std::string_view archiveName)>;

// Single-item actions need a focused record; Remove a selection; Add to User
// List a selected record in no user list; Set Category a selected file or
// folder; Copy To a selected folder or a file that is no archive member;
// Extract a selected archive or member of a supported type. Remove all and
// Report need rows. A running search allows no change to the list.
FoundActionStates EnableFoundActions(const FoundSelection& selection, const SupportedArchive& supported);

// The double-click setting: 1 Properties, 2 Explorer, 3 Launch, 4 View, others
// nothing. Launch on anything but a file opens Explorer; View on anything but
// a file or an archive folder shows the properties.
FoundAction DoubleClickAction(int setting, const ItemHead& record);
// The popup item shown bold for the setting: Properties, Explorer or Launch.
FoundAction DefaultPopupAction(int setting, const ItemHead& record);

}  // namespace kv

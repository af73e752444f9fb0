#pragma once
// The rules of the "Select Folder" dialog that need no window: the name of a
// new folder, which names a rename accepts, and how the option boxes' states
// are stored.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kv {

// "New Folder", or "New Folder (n)" with the smallest n whose name is free
// (taken: any file or folder of that name exists).
std::string NewFolderName(const std::function<bool(const std::string& name)>& taken);

// A name a folder may be renamed to in place: one entry of its parent, no
// device name, no trailing dot or space.
bool IsValidFolderName(std::string_view name);

// Bit n-1 of the stored integer is box n.
std::array<bool, 3> DecodeCheckStates(std::int32_t stored);
// All bits set but those of unchecked boxes.
std::int32_t EncodeCheckStates(const std::array<bool, 3>& checked);

}  // namespace kv

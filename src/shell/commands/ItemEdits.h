#pragma once
// Writing what the properties sheet and the description editor changed back
// into the records, marking what must be saved.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/file/StoredText.h"
#include "catalog/model/Node.h"

namespace kv {

namespace ui {
class UserPrompt;
}

// Lines trimmed, cut to 4096 bytes on a character boundary without a dangling
// line break; an empty result removes the description. True when it changed.
bool StoreDescription(ItemHead& record, std::string_view text, const LeadBytes& lead = {});
std::string DescriptionOf(const ItemHead& record);

// The category code in bits 0..4, user flags 1..3 in bits 5..7.
std::uint8_t ComposeCategoryByte(std::uint8_t code, const std::array<bool, 3>& flags);

// The folder's or disk's "a file has a description" flag from its file
// records: set when one has a description, else cleared; nothing for an
// owner without files.
void UpdateHasDescriptionsFlag(FileOwnerRecord& owner);

struct ItemEdits {
    std::optional<std::uint8_t> category;     // files and folders
    std::optional<std::string> description;
};

// Stores the edits of one record. Unchanged values mark nothing; a changed file
// marks its file list, a folder or disk its disk, a catalog only itself. While
// a search runs (it reads these texts) nothing is stored and the user is told.
// Returns whether anything was stored.
bool ApplyItemEdits(ItemHead& record, const ItemEdits& edits, bool searchRunning, ui::UserPrompt& prompt,
                    const LeadBytes& lead = {});


}  // namespace kv

#pragma once
// Commands that change catalog data the search walks are refused while it runs.
#include <cstdint>

namespace kv {

namespace ui {
class UserPrompt;
}

enum class Refusal : std::uint8_t { None, UpdateData, OpenCatalog, SaveCatalog, CloseCatalog, RemoveDisk };

struct RefusalText {
    const char* caption;
    const char* text;
};
RefusalText RefusalMessage(Refusal refusal);

// Shows the refusal (information icon) and returns true when a search runs and
// the refusal is not None; otherwise asks nothing and returns false.
bool RefusedDuringSearch(Refusal refusal, bool searchRunning, ui::UserPrompt& prompt);

}  // namespace kv

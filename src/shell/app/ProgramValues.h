#pragma once
// The main window's values under the program key: read and written through
// the settings-store interface, so the rules run natively over memory.
#include <optional>

#include "shell/app/WindowPos.h"
#include "shell/settings/Settings.h"

namespace kv {

class SectionStore;

inline constexpr const char* kWindowPosValue = "WindowPos";
inline constexpr const char* kRevisionMarkerValue = "RevisionMarker";

struct MarkerState {
    bool found = false;    // exactly one byte was stored (false: a first start)
    bool current = false;  // and it is this program's revision
};
MarkerState ReadRevisionMarker(const SectionStore& store);

// Nothing unless the stored value is exactly 30 bytes.
std::optional<WindowPos> ReadWindowPos(const SectionStore& store);
bool WriteWindowPos(SectionStore& store, const WindowPos& pos);

// The bounds to store for a window whose restored bounds are given: one as
// big as the maximised size is stored as the screen area it covers.
WindowPos WindowPosToStore(WindowPos pos, std::int32_t maximisedWidth, std::int32_t maximisedHeight);

// The extracted-files clean-up's mode: below 0 keep, 0 ask, above 0 delete.
int TempRemovalMode(TempRemoval removal);

}  // namespace kv

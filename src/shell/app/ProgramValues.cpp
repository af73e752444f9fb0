#include "shell/app/ProgramValues.h"

#include "shell/app/ProgramIdentity.h"
#include "system/settings/SectionStore.h"

namespace kv {

MarkerState ReadRevisionMarker(const SectionStore& store) {
    MarkerState state;
    const auto bytes = store.ReadBinary("", kRevisionMarkerValue);
    state.found = bytes && bytes->size() == 1;
    if (bytes)
        state.current = MarkerIsCurrent(std::span<const std::uint8_t>(*bytes));
    return state;
}

std::optional<WindowPos> ReadWindowPos(const SectionStore& store) {
    const auto bytes = store.ReadBinary("", kWindowPosValue);
    if (!bytes)
        return std::nullopt;
    return DecodeWindowPos(*bytes);
}

bool WriteWindowPos(SectionStore& store, const WindowPos& pos) {
    const auto bytes = EncodeWindowPos(pos);
    return store.WriteBinary("", kWindowPosValue, bytes);
}

WindowPos WindowPosToStore(WindowPos pos, std::int32_t maximisedWidth, std::int32_t maximisedHeight) {
    pos.bounds = AdjustMaximisedBounds(pos.bounds, maximisedWidth, maximisedHeight);
    return pos;
}

int TempRemovalMode(TempRemoval removal) {
    switch (removal) {
    case TempRemoval::Delete: return 1;
    case TempRemoval::Leave: return -1;
    case TempRemoval::Ask: break;
    }
    return 0;
}

}  // namespace kv

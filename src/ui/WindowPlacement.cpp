#include "ui/WindowPlacement.h"

#include "base/Errors.h"
#include "ui/WindowPlacementRules.h"

namespace kv {

namespace {

// All monitors together: a window saved on a second monitor stays there.
ScreenArea virtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

void SaveFormPlacement(HWND form, const std::string& valueName, std::int32_t extra, const std::string& keyPath) {
    TRegistryEx reg;
    if (!reg.OpenRegKey(keyPath, true))
        throw EAbort();
    RECT r{};
    if (!GetWindowRect(form, &r))
        throw EAbort();
    FormBounds bounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
    // A maximised window counts as maximised size even where the system's
    // metric disagrees with it (Wine adds the caption to the height).
    const bool zoomed = IsZoomed(form);
    bounds = AdjustMaximisedBounds(bounds, zoomed ? bounds.width : GetSystemMetrics(SM_CXMAXIMIZED),
                                   zoomed ? bounds.height : GetSystemMetrics(SM_CYMAXIMIZED));
    const auto bytes = EncodePlacement({bounds, extra});
    if (!reg.WriteBinaryData(valueName, bytes.data(), static_cast<int>(bytes.size())))
        throw EAbort();
}

void RestoreFormPlacement(HWND form, const std::string& valueName, std::int32_t& extra, const std::string& keyPath) {
    TRegistryEx reg;
    if (!reg.OpenKeyReadOnly(keyPath))
        throw EAbort();
    std::array<std::uint8_t, kPlacementBytes> bytes{};
    if (reg.ReadBinaryDataDef(valueName, bytes.data(), static_cast<int>(bytes.size())) != int(kPlacementBytes))
        throw EAbort();
    const auto saved = DecodePlacement(bytes);
    if (!saved)
        throw EAbort();
    if (IsZoomed(form) || IsIconic(form))
        ShowWindow(form, SW_RESTORE);
    if (IsPlacementVisible(saved->bounds, virtualScreen()))
        SetWindowPos(form, nullptr, saved->bounds.left, saved->bounds.top, saved->bounds.width, saved->bounds.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    extra = saved->extra;
}

}  // namespace kv

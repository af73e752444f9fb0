#pragma once
// The font dialog as portable code sees it; the program answers with the
// system's common dialog, tests with a script.
#include <cstdint>
#include <optional>
#include <string>

namespace kv::ui {

struct FontDescription {
    std::string name = "MS Sans Serif";
    int size = 8;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint32_t color = 0;  // 0x00BBGGRR, as the system stores colours
    bool operator==(const FontDescription&) const = default;
};

class FontDialog {
public:
    virtual ~FontDialog() = default;
    // The chosen font, or nothing when cancelled; the dialog starts on initial.
    virtual std::optional<FontDescription> chooseFont(const FontDescription& initial) = 0;
};

}  // namespace kv::ui

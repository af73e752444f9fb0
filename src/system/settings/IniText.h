#pragma once
// The text of an ini file, edited line by line: what an edit does not touch
// (comments, other sections, lines that are not entries) stays as it was.
// Names compare without ASCII case; the first of repeated sections or names wins.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/settings/SectionStore.h"

namespace kv {

class IniText {
public:
    // Nothing when the bytes are not text (they hold a NUL byte).
    static std::optional<IniText> parse(std::string_view bytes);
    // The lines joined with CR LF.
    std::string text() const;

    std::optional<std::string> read(std::string_view section, std::string_view name) const;
    std::vector<SectionValue> section(std::string_view section) const;
    // False, with the text unchanged, when a name or the value cannot stand
    // in one ini line (line breaks, NUL, "=" or "]" where they would be read
    // as something else, names with outer blanks).
    bool write(std::string_view section, std::string_view name, std::string_view value);
    // Removes every section of that name with its entries; false when there was none.
    bool erase(std::string_view section);

private:
    // The lines of the first section of that name: [begin, end) after its header.
    struct Span {
        std::size_t header, begin, end;
    };
    std::optional<Span> find(std::string_view section) const;

    std::vector<std::string> lines_;
};

}  // namespace kv

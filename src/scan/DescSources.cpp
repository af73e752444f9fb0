#include "scan/DescSources.h"

#include <string_view>

namespace kv {

namespace {

struct ItemPrefix {
    std::string_view prefix;
    std::uint8_t source;
};

constexpr ItemPrefix kPrefixes[] = {
    {"FILE_ID.DIZ", DescSourceCode::FileIdDiz},
    {"FILES.BBS", DescSourceCode::FilesBbs},
    {"DESCRIPT.ION", DescSourceCode::DescriptIon},
    {"Compressed", DescSourceCode::ArchiveComment},
};

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (AsciiUpper(text[i]) != AsciiUpper(prefix[i])) return false;
    return true;
}

}  // namespace

std::vector<std::string> DefaultImportDescItems() {
    return {"FILE_ID.DIZ (multi-line text description)", "DESCRIPT.ION (4DOS/NDOS descriptions)",
            "FILES.BBS (standard BBS descriptions)", "Compressed file's comment if available"};
}

std::uint8_t DescSourceOfItem(const std::string& item) {
    for (const ItemPrefix& p : kPrefixes)
        if (StartsWithNoCase(item, p.prefix)) return p.source;
    return DescSourceCode::None;
}

int DescSourcePriority(const std::vector<std::string>& items, std::uint8_t source) {
    for (std::size_t i = 0; i < items.size() && i < kDescSourceCount; ++i)
        if (DescSourceOfItem(items[i]) == source) return static_cast<int>(i);
    return -1;
}

std::uint8_t DescSourceAt(const std::vector<std::string>& items, int position) {
    if (position < 0 || position >= kDescSourceCount || static_cast<std::size_t>(position) >= items.size())
        return DescSourceCode::None;
    return DescSourceOfItem(items[position]);
}

}  // namespace kv

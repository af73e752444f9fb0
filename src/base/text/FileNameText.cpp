#include "base/text/FileNameText.h"

namespace kv {

std::string GetExtNoDot(std::string_view name) {
    const std::size_t pos = name.find_last_of(".\\/:");
    if (pos == std::string_view::npos || name[pos] != '.')
        return {};
    return std::string(name.substr(pos + 1));
}

void MakeValidFileName(std::string& name) {
    constexpr std::string_view kRefused = "\\/:*?\"<>|";
    for (char& c : name)
        if (static_cast<unsigned char>(c) < ' ' || kRefused.find(c) != std::string_view::npos)
            c = '_';
}

}  // namespace kv

#include "shell/folderbrowse/FolderBrowseRules.h"

#include "catalog/media/RealPath.h"

namespace kv {

std::string NewFolderName(const std::function<bool(const std::string& name)>& taken) {
    std::string name = "New Folder";
    for (int n = 1; taken(name); ++n)
        name = "New Folder (" + std::to_string(n) + ")";
    return name;
}

bool IsValidFolderName(std::string_view name) {
    if (!IsSafeLeafName(name) || name.back() == '.' || name.back() == ' ')
        return false;
    std::string stem(name.substr(0, name.find('.')));
    for (char& c : stem)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (stem == device)
            return false;
    if (stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9')
        return false;
    return true;
}

std::array<bool, 3> DecodeCheckStates(std::int32_t stored) {
    const auto bits = static_cast<std::uint32_t>(stored);
    return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

std::int32_t EncodeCheckStates(const std::array<bool, 3>& checked) {
    std::uint32_t bits = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < checked.size(); ++i)
        if (!checked[i])
            bits &= ~(1u << i);
    return static_cast<std::int32_t>(bits);
}

}  // namespace kv

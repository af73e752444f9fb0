#include "search/window/FileTypes.h"

#include <algorithm>

namespace kv {

std::vector<FileTypeEntry> MergeRegisteredExtensions(const std::vector<RegisteredExtension>& extensions,
                                                     const CaseMap& caseMap) {
    std::vector<FileTypeEntry> types;
    std::vector<std::string> keys;  // folded descriptions, beside types
    for (const RegisteredExtension& e : extensions) {
        if (e.description.empty() || e.extension.size() < 2 || e.extension.front() != '.')
            continue;
        const std::string key = upperCase(e.description, caseMap);
        const auto at = std::lower_bound(keys.begin(), keys.end(), key);
        const auto i = static_cast<std::size_t>(at - keys.begin());
        if (at == keys.end() || *at != key) {
            keys.insert(at, key);
            types.insert(types.begin() + static_cast<std::ptrdiff_t>(i), {e.description, {}});
        }
        types[i].pattern += e.extension + '\x01';
    }
    types.insert(types.begin(), {kNoFileType, {}});
    return types;
}

}  // namespace kv

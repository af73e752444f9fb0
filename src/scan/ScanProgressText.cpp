#include "scan/ScanProgressText.h"

namespace kv {

std::string ShortenPathLeft(const std::string& path, std::size_t maxChars) {
    if (path.size() <= maxChars) return path;
    const std::string lead = "...";
    const std::size_t keep = maxChars > lead.size() ? maxChars - lead.size() : 0;
    const std::size_t from = path.size() - keep;
    const std::size_t slash = path.find('\\', from);
    return lead + (slash == std::string::npos ? path.substr(from) : path.substr(slash));
}

std::string DescriptionsFoundText(std::size_t found) {
    return "( Descriptions found so far: " + std::to_string(found) + " )";
}

std::string ScanIncompleteText(std::uint32_t count, const std::vector<std::string>& firstPaths) {
    std::string text = count == 1 ? "1 folder could not be read and was catalogued as empty:"
                                  : std::to_string(count) + " folders could not be read and were catalogued as empty:";
    text += "\r\n";
    for (const std::string& path : firstPaths) text += "\r\n" + path;
    if (count > firstPaths.size()) text += "\r\n... and " + std::to_string(count - firstPaths.size()) + " more";
    return text;
}

}  // namespace kv

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

}  // namespace kv

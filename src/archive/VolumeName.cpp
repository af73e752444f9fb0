#include "archive/VolumeName.h"

namespace kv::arc {

std::string NextVolumeName(const std::string& name, int& counter) {
    ++counter;
    if (counter < 1 || counter > 999) return {};
    std::string ext = std::to_string(counter);
    if (counter < 10)
        ext = "A0" + ext;
    else if (counter < 100)
        ext = "A" + ext;
    std::size_t folderEnd = name.find_last_of("\\/:");
    std::size_t nameStart = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    std::size_t dot = name.rfind('.');
    std::string base = (dot == std::string::npos || dot < nameStart) ? name : name.substr(0, dot);
    return base + "." + ext;
}

}  // namespace kv::arc

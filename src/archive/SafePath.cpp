#include "archive/SafePath.h"

#include <algorithm>
#include <vector>

namespace kv::arc {

namespace {

constexpr std::size_t kMaxComponent = 255;
constexpr std::size_t kMaxPath = 259;  // MAX_PATH less the terminating zero

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiUpper(x) == asciiUpper(y); });
}

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isDeviceName(std::string_view component) {
    std::string_view base = component.substr(0, component.find('.'));
    while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
    for (std::string_view dev : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
        if (equalsNoCase(base, dev)) return true;
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9')
        return equalsNoCase(base.substr(0, 3), "COM") || equalsNoCase(base.substr(0, 3), "LPT");
    return false;
}

std::vector<std::string> splitName(std::string_view name) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : name) {
        if (c == '\\' || c == '/') {
            parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(std::move(part));
    return parts;
}

std::string cleanComponent(std::string c) {
    for (char& ch : c) {
        auto u = static_cast<unsigned char>(ch);
        if (u < 0x20 || u == 0x7F || std::string_view("<>:\"|?*").find(ch) != std::string_view::npos) ch = '_';
    }
    while (!c.empty() && (c.back() == '.' || c.back() == ' ')) c.pop_back();
    if (!c.empty() && isDeviceName(c)) c.insert(c.begin(), '_');
    return c;
}

std::string withSlash(std::string_view folder) {
    std::string f(folder);
    std::replace(f.begin(), f.end(), '/', '\\');
    if (!f.empty() && f.back() != '\\') f += '\\';
    return f;
}

}  // namespace

SafeTarget SafeTargetPath(std::string_view folder, std::string_view memberName, bool useStoredFolders) {
    SafeTarget r;
    std::string dir = withSlash(folder);
    if (dir.empty()) return {{}, PathRefusal::NoFolder};
    if (memberName.empty() || memberName.back() == '\\' || memberName.back() == '/')
        return {{}, PathRefusal::EmptyName};

    std::vector<std::string> raw = splitName(memberName);
    bool uncLike = memberName.size() >= 2 && (memberName[0] == '\\' || memberName[0] == '/') &&
                   (memberName[1] == '\\' || memberName[1] == '/');
    raw.erase(std::remove(raw.begin(), raw.end(), std::string()), raw.end());
    // "\\?\C:\x", "\\.\PhysicalDrive0", "\\?\UNC\server\share\x": the prefix goes.
    if (uncLike && !raw.empty() && (raw.front() == "?" || raw.front() == ".")) {
        raw.erase(raw.begin());
        if (!raw.empty() && equalsNoCase(raw.front(), "UNC")) raw.erase(raw.begin());
    }
    if (!raw.empty() && raw.front().size() >= 2 && raw.front()[1] == ':' && isDriveLetter(raw.front()[0])) {
        raw.front().erase(0, 2);
        if (raw.front().empty()) raw.erase(raw.begin());
    }

    std::vector<std::string> parts;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        // Without stored folders the folder part is dropped below, ".." with it.
        if (raw[i] == "..") {
            if (useStoredFolders || i + 1 == raw.size()) return {{}, PathRefusal::ParentReference};
            continue;
        }
        if (raw[i] == ".") continue;
        std::string c = cleanComponent(raw[i]);
        if (c.empty()) {
            if (i + 1 == raw.size()) return {{}, PathRefusal::EmptyName};
            continue;
        }
        if (c.size() > kMaxComponent) return {{}, PathRefusal::TooLong};
        parts.push_back(std::move(c));
    }
    if (parts.empty()) return {{}, PathRefusal::EmptyName};
    if (!useStoredFolders) parts.erase(parts.begin(), parts.end() - 1);

    std::string path = dir;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) path += '\\';
        path += parts[i];
    }
    if (path.size() > kMaxPath) return {{}, PathRefusal::TooLong};
    if (!IsInsideFolder(dir, path)) return {{}, PathRefusal::EmptyName};
    r.path = std::move(path);
    return r;
}

bool IsInsideFolder(std::string_view folder, std::string_view path) {
    std::string dir = withSlash(folder);
    std::string p(path);
    std::replace(p.begin(), p.end(), '/', '\\');
    if (dir.empty() || p.size() <= dir.size() || !equalsNoCase(std::string_view(p).substr(0, dir.size()), dir))
        return false;
    std::string_view rest = std::string_view(p).substr(dir.size());
    if (rest.find(':') != std::string_view::npos) return false;
    for (const std::string& c : splitName(rest))
        if (c.empty() || c == "." || c == "..") return false;
    return true;
}

}  // namespace kv::arc

#include "scan/DescriptIonFile.h"

#include "base/text/TextLines.h"

namespace kv {

namespace {
constexpr std::size_t kPadColumn = 40;
constexpr std::size_t kMaxLine = 511;
}  // namespace

bool ParseDescriptLine(std::string_view line, std::string& name, std::string& description) {
    if (!line.empty() && line.front() == ' ') {
        name.clear();
        description.clear();
        return false;
    }
    if (line.find(' ') == std::string_view::npos) return false;
    std::size_t descFrom = 0;
    std::string_view nameText;
    if (line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        if (close == std::string_view::npos) return false;
        nameText = line.substr(1, close - 1);
        descFrom = close + 1;
    } else {
        const std::size_t space = line.find(' ');
        nameText = line.substr(0, space);
        descFrom = space;
    }
    while (descFrom < line.size() && line[descFrom] == ' ') ++descFrom;
    if (descFrom >= line.size() || static_cast<unsigned char>(line[descFrom]) < 33) return false;
    name.assign(nameText);
    description.assign(line.substr(descFrom, kMaxDescriptionLength));
    return true;
}

bool ReadDescriptLine(DescLineReader& lines, std::string& name, std::string& description) {
    std::string line;
    if (!lines.readLine(line)) return false;
    return ParseDescriptLine(line, name, description);
}

std::string FormatDescriptEntry(std::string_view name, std::string_view description) {
    std::string out;
    if (name.find(' ') != std::string_view::npos) {
        out += '"';
        out += name;
        out += '"';
    } else {
        out += name;
    }
    out += ' ';
    bool padding = true;
    bool first = true;
    std::string_view rest = description;
    while (!rest.empty() || first) {
        if (out.size() > kMaxLine) break;
        const LineBreak br = FindLineBreak(rest);
        const std::string_view piece = rest.substr(0, br.position);
        const bool last = br.length == 0;
        rest.remove_prefix(br.position + br.length);
        if (!first && !(piece.size() > 0 && piece.front() == ' ')) out += ' ';
        out += piece;
        if (piece.size() > kPadColumn) padding = false;
        if (!last && padding) out.append(kPadColumn - piece.size(), ' ');
        first = false;
        if (last) break;
    }
    if (out.size() > kMaxLine) {
        out.resize(kMaxLine - 3);
        out += "...";
    }
    return out;
}

}  // namespace kv

#include "search/reports/CustomLayout.h"

#include <vector>

#include "base/text/TextLines.h"
#include "system/SystemCaseMap.h"
#include "catalog/model/Node.h"

namespace kv {

namespace {

// An optional "-" and 1 to 19 digits, as a 64-bit number.
std::optional<std::int64_t> Number(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 19)
        return std::nullopt;
    std::int64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return negative ? -n : n;
}

// The text up to the next comma, consumed with the comma.
std::optional<std::string_view> Field(std::string_view& rest) {
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const std::string_view field = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
    return field;
}

std::optional<std::uint32_t> Pattern(std::string_view& rest) {
    const auto field = Field(rest);
    const auto n = field ? Number(*field) : std::nullopt;
    if (!n)
        return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(*n));
}

bool SameText(std::string_view a, std::string_view b) { return compareNoCase(a, b, systemCaseMap()) == 0; }

std::string OneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

std::string FileNameOnly(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// A state read from a file: -1 and anything unknown read as "excluded".
int StateFromLine(int state) { return state == kFilesIncluded ? kFilesIncluded : kFilesExcluded; }

void ApplyState(CustomTreeNode& node, int state) {
    if (node.StateIndex != kNoBox)
        node.StateIndex = StateFromLine(state);
}

CustomTreeNode* FindLayoutDisk(CustomTree& tree, const LayoutLine& line) {
    CustomTreeNode* candidate = nullptr;
    for (const auto& catalog : tree.roots()) {
        for (const auto& disk : catalog->children) {
            const auto* rec = RecordAs<TDiskRec>(disk->source->record());
            if (!rec || rec->volume.serialNumber != line.serial ||
                rec->volume.sectorsPerCluster * rec->volume.bytesPerSector != line.bytesPerCluster ||
                rec->volume.totalClusters != line.totalClusters)
                continue;
            if (SameText(disk->source->text(), line.name))
                return disk.get();
            candidate = disk.get();
        }
    }
    return candidate;
}

CustomTreeNode* FindChild(CustomTree& tree, CustomTreeNode& parent, std::string_view name) {
    tree.Expand(parent);
    for (auto& child : parent.children)
        if (SameText(child->source->text(), name))
            return child.get();
    return nullptr;
}

}  // namespace

std::optional<LayoutLine> ReadLayoutLine(std::string_view rest) {
    if (rest.size() > kMaxLayoutLine)
        return std::nullopt;
    LayoutLine line;
    const auto levelField = Field(rest);
    const auto level = levelField ? Number(*levelField) : std::nullopt;
    const auto stateField = level ? Field(rest) : std::nullopt;
    const auto state = stateField ? Number(*stateField) : std::nullopt;
    if (!state || *level < 0 || *level > kAllLevels || *state < -1000 || *state > 1000)
        return std::nullopt;
    line.level = static_cast<int>(*level);
    line.state = static_cast<int>(*state);
    if (line.level == 1) {
        const auto serial = Pattern(rest);
        const auto cluster = serial ? Pattern(rest) : std::nullopt;
        const auto clusters = cluster ? Pattern(rest) : std::nullopt;
        if (!clusters)
            return std::nullopt;
        line.serial = *serial;
        line.bytesPerCluster = *cluster;
        line.totalClusters = *clusters;
    }
    if (line.level >= 1)
        line.name = std::string(rest);
    return line;
}

std::string SaveLayoutText(const CustomTree& tree) {
    std::string out;
    for (const CustomTreeNode* node : tree.VisibleNodes()) {
        const int level = node->level();
        out += std::to_string(level) + ',' + std::to_string(node->StateIndex) + ',';
        const ItemRecord* rec = node->source->record();
        if (level == 0) {
            const auto* catalog = RecordAs<TCatalogRec>(rec);
            out += OneLine(node->source->text()) + ',' + OneLine(FileNameOnly(catalog ? catalog->fileName : ""));
        } else if (const auto* disk = RecordAs<TDiskRec>(rec); disk && level == 1) {
            const VolumeData& v = disk->volume;
            out += std::to_string(static_cast<std::int32_t>(v.serialNumber)) + ',' +
                   std::to_string(static_cast<std::int32_t>(v.sectorsPerCluster * v.bytesPerSector)) + ',' +
                   std::to_string(static_cast<std::int32_t>(v.totalClusters)) + ',' + OneLine(node->source->text());
        } else {
            out += OneLine(node->source->text());
        }
        out += "\r\n";
    }
    return out;
}

LayoutLoadResult ApplyLayoutText(CustomTree& tree, std::string_view text) {
    for (const auto& catalog : tree.roots()) {
        tree.CollapseAll(*catalog);
        tree.Expand(*catalog);
    }
    LayoutLoadResult result;
    // CR LF, LF or CR line ends.
    const std::vector<std::string_view> raw = SplitLines(text);
    std::vector<LayoutLine> lines;
    for (std::string_view l : raw) {
        if (l.empty())
            continue;
        auto parsed = ReadLayoutLine(l);
        if (!parsed)
            break;
        lines.push_back(std::move(*parsed));
    }
    result.linesRead = lines.size();

    CustomTreeNode* current = nullptr;
    int currentLevel = 0;
    std::size_t i = 0;
    // Skips the lines below the one at `at` (deeper than `level`).
    auto skipBelow = [&](int level) {
        ++i;
        while (i < lines.size() && lines[i].level > level)
            ++i;
    };
    while (i < lines.size()) {
        const LayoutLine& line = lines[i];
        if (line.level == 0) {
            ++i;
            continue;
        }
        if (line.level == 1) {
            current = FindLayoutDisk(tree, line);
            currentLevel = 1;
            if (current) {
                ApplyState(*current, line.state);
                ++i;
            } else {
                result.notFound = true;
                skipBelow(1);
            }
            continue;
        }
        // A folder with no disk above it, or more than one level deeper.
        if (!current || line.level > currentLevel + 1) {
            result.notFound = true;
            skipBelow(line.level);
            continue;
        }
        while (line.level <= currentLevel && current->parent && currentLevel > 1) {
            current = current->parent;
            --currentLevel;
        }
        if (line.level != currentLevel + 1) {
            result.notFound = true;
            skipBelow(line.level);
            continue;
        }
        CustomTreeNode* found = FindChild(tree, *current, line.name);
        if (!found) {
            result.notFound = true;
            skipBelow(line.level);
            continue;
        }
        ApplyState(*found, line.state);
        current = found;
        currentLevel = line.level;
        ++i;
    }
    return result;
}

}  // namespace kv

#include "scan/dosimport/OstrandelFiles.h"

#include <algorithm>

#include "base/BoundedReader.h"
#include "base/text/AnsiCase.h"
#include "base/text/NameCase.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

// A length byte and the characters of a field of fieldSize bytes; a length
// larger than the field is cut to it.
std::string ShortText(BoundedReader& in, std::size_t fieldSize) {
    const std::size_t length = std::min<std::size_t>(in.u8(), fieldSize - 1);
    std::string text(in.text(length));
    in.skip(fieldSize - 1 - length);
    return text;
}

// Lines ended by CR and one more byte; a last line may lack its end.
template <class Each>
void ForEachLine(std::span<const std::uint8_t> bytes, Each each) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r') ++end;
        const std::size_t length = std::min(end - start, kOstCommentLineLimit);
        each(std::string_view(reinterpret_cast<const char*>(bytes.data() + start), length));
        start = end + 2;
    }
}

std::optional<std::uint16_t> DiskNumberField(std::string_view digits) {
    std::uint32_t value = 0;
    bool any = false;
    for (char c : digits) {
        if (c == ' ' && !any) continue;
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        any = true;
    }
    if (!any || value > 0xFFFF) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace

bool IsValidOstrandelDiskFile(std::uint64_t size) { return size % kOstDiskRecordSize == 0; }

std::vector<OstDisk> ReadOstrandelDisks(std::span<const std::uint8_t> bytes) {
    std::vector<OstDisk> disks;
    BoundedReader in(bytes);
    while (in.remaining() >= kOstDiskRecordSize) {
        OstDisk d;
        d.number = in.u16();
        d.capacity = in.u32();
        d.freeBytes = in.u32();
        in.skip(4);
        d.driveCode = in.u8();
        d.name = ShortText(in, 21);
        d.day = in.u8();
        d.month = in.u8();
        d.year = in.u8();
        disks.push_back(std::move(d));
    }
    return disks;
}

OstComments ReadOstrandelComments(std::span<const std::uint8_t> bytes) {
    OstComments comments;
    ForEachLine(bytes, [&](std::string_view line) {
        if (!line.empty() && static_cast<std::uint8_t>(line[0]) == 0xEB) {
            comments.catalogName = std::string(line.size() > 2 ? line.substr(2) : std::string_view());
            return;
        }
        if (line.size() < 7) return;
        if (const std::optional<std::uint16_t> number = DiskNumberField(line.substr(0, 4)))
            comments.disks[*number] = std::string(line.substr(6));
    });
    return comments;
}

std::optional<std::string> OstrandelCatalogName(std::span<const std::uint8_t> firstBytes) {
    std::optional<std::string> name;
    ForEachLine(firstBytes.first(std::min<std::size_t>(firstBytes.size(), 1024)), [&](std::string_view line) {
        if (!name && !line.empty() && static_cast<std::uint8_t>(line[0]) == 0xEB)
            name = std::string(line.size() > 2 ? line.substr(2) : std::string_view());
    });
    return name;
}

void OstDescriptions::add(std::uint16_t disk, std::uint32_t entry, std::string text) {
    texts_[key(disk, entry)].push_back(std::move(text));
    ++count_;
}

std::optional<std::string> OstDescriptions::take(std::uint16_t disk, std::uint32_t entry) {
    auto found = texts_.find(key(disk, entry));
    if (found == texts_.end() || found->second.empty()) return std::nullopt;
    std::string text = std::move(found->second.front());
    found->second.pop_front();
    if (found->second.empty()) texts_.erase(found);
    --count_;
    return text;
}

OstDescriptions ReadOstrandelDescriptions(std::span<const std::uint8_t> bytes) {
    OstDescriptions descriptions;
    BoundedReader in(bytes);
    // The six bytes before the text may hold any value, CR too.
    while (in.remaining() >= 6) {
        const std::uint16_t disk = in.u16();
        const std::uint32_t entry = in.u32();
        std::string text;
        while (!in.atEnd()) {
            const char c = static_cast<char>(in.u8());
            if (c == '\r') {
                if (!in.atEnd()) in.skip(1);
                break;
            }
            if (text.size() + 2 > kOstDescriptionLimit) continue;
            if (c == '\0') text += "\r\n";
            else text += c;
        }
        descriptions.add(disk, entry, std::move(text));
    }
    return descriptions;
}

std::vector<OstEntry> ReadOstrandelEntries(std::span<const std::uint8_t> bytes) {
    std::vector<OstEntry> entries;
    entries.reserve(bytes.size() / kOstEntrySize);
    BoundedReader in(bytes);
    while (in.remaining() >= kOstEntrySize) {
        OstEntry e;
        e.disk = in.u16();
        e.name = ShortText(in, 13);
        e.size = in.u32();
        e.attributes = in.u8();
        entries.push_back(std::move(e));
    }
    return entries;
}

std::string RecaseOstrandelName(std::string name) {
    LowerIfAllUpper(name, systemCaseMap());
    if (!name.empty()) name[0] = upperCase(name.substr(0, 1), systemCaseMap())[0];
    return name;
}

}  // namespace kv

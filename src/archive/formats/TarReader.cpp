#include "archive/formats/TarReader.h"

#include "archive/ArcError.h"
#include "archive/ArcNumbers.h"
#include "archive/formats/TarHeader.h"

namespace kv::arc {

namespace {

constexpr std::size_t kMaxLongName = 64 * 1024;

std::string cString(std::span<const std::uint8_t> field) {
    std::string s(field.begin(), field.end());
    return s.substr(0, s.find('\0'));
}

// Trims blanks and control characters at both ends.
std::string trimmed(std::string s) {
    std::size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ') ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') --b;
    return s.substr(a, b - a);
}

struct PaxValues {
    std::optional<std::string> path;
    std::optional<std::int64_t> size;
    std::optional<std::int64_t> mtime;
};

// Records "<length> <key>=<value>\n".
void parsePax(std::string_view data, PaxValues& out) {
    while (!data.empty()) {
        std::size_t space = data.find(' ');
        if (space == std::string_view::npos || space == 0 || space > 20) return;
        std::uint64_t len = 0;
        for (char c : data.substr(0, space)) {
            if (c < '0' || c > '9') return;
            len = len * 10 + static_cast<unsigned>(c - '0');
        }
        if (len <= space + 1 || len > data.size()) return;
        std::string_view record = data.substr(space + 1, len - space - 1);
        data.remove_prefix(len);
        if (!record.empty() && record.back() == '\n') record.remove_suffix(1);
        std::size_t eq = record.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = record.substr(0, eq), value = record.substr(eq + 1);
        auto number = [&value]() -> std::optional<std::int64_t> {
            std::int64_t v = 0;
            std::size_t i = 0;
            bool negative = !value.empty() && value[0] == '-';
            if (negative) ++i;
            if (i == value.size() || value[i] < '0' || value[i] > '9') return std::nullopt;
            for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
                if (v < (INT64_MAX - 9) / 10) v = v * 10 + (value[i] - '0');
            return negative ? -v : v;
        };
        if (key == "path") out.path = std::string(value);
        if (key == "size") out.size = number();
        if (key == "mtime") out.mtime = number();
    }
}

}  // namespace

TarReader::TarReader(ArcInput& in, std::uint64_t start, std::function<void(int)> fail)
    : in_(in), pos_(start), fail_(std::move(fail)) {}

std::optional<TarEntry> TarReader::Next() {
    if (!lastFits_) fail_(eReadError);
    std::optional<std::string> longName;
    PaxValues pax;
    while (in_.Size() - pos_ >= 512) {
        auto header = in_.Record(pos_, 512).bytes(512);
        if (header[0] == 0) return std::nullopt;
        if (!TarChecksumHolds(header.data())) fail_(eBadFileHeader);
        const char type = static_cast<char>(header[156]);
        std::int64_t size = ParseTarNumber(header.subspan(124, 12));
        if (size < 0) size = 0;
        if (pax.size && type != 'x' && type != 'g') size = *pax.size < 0 ? 0 : *pax.size;
        const std::uint64_t dataPos = pos_ + 512;
        const std::uint64_t blocks = (static_cast<std::uint64_t>(size) + 511) / 512 * 512;
        const bool fits = blocks <= in_.Size() - dataPos;

        if (type == 'L' || type == 'x' || type == 'g') {
            if (!fits) fail_(eReadError);
            if (type != 'g') {
                std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(size, kMaxLongName));
                std::string data(in_.Record(dataPos, n).text(n));
                if (type == 'L')
                    longName = data.substr(0, data.find('\0'));
                else
                    parsePax(data, pax);
            }
            pos_ = dataPos + blocks;
            continue;
        }

        TarEntry e;
        e.pos = pos_;
        e.dataPos = dataPos;
        e.size = static_cast<std::uint64_t>(size);
        e.type = type;
        e.fits = fits;
        if (pax.path) {
            e.name = *pax.path;
        } else if (longName) {
            e.name = *longName;
        } else {
            e.name = cString(header.subspan(0, 100));
            // POSIX ustar keeps the front of a long name in the prefix field.
            std::string magic(header.begin() + 257, header.begin() + 263);
            std::string prefix = cString(header.subspan(345, 155));
            if (magic == std::string("ustar\0", 6) && !prefix.empty()) e.name = prefix + "/" + e.name;
        }
        e.name = trimmed(e.name);
        e.checksum = static_cast<std::uint32_t>(ParseTarNumber(header.subspan(148, 8)));
        e.mtime = pax.mtime ? *pax.mtime : ParseTarNumber(header.subspan(136, 12));
        lastFits_ = fits;
        pos_ = dataPos + blocks;
        return e;
    }
    return std::nullopt;
}

}  // namespace kv::arc

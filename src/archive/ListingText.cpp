#include "archive/ListingText.h"

#include <cstdio>

namespace kv::arc {

std::string EscapedName(std::string_view name) {
    std::string out;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string ListingLine(const ArcMember& m) {
    char crc[9] = "-";
    if (m.CrcBits == 32) std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(m.FileCRC));
    if (m.CrcBits == 16) std::snprintf(crc, sizeof crc, "%04X", static_cast<unsigned>(m.FileCRC & 0xFFFF));
    char rest[64];
    std::snprintf(rest, sizeof rest, "\t%s\t%08X\t%02X\t", crc, static_cast<unsigned>(m.DosDate),
                  static_cast<unsigned>(m.ExternalAttr & 0xFF));
    return EscapedName(m.FileName) + "\t" + std::to_string(m.UnpackedSize64) + "\t" + std::to_string(m.PackedSize64) +
           rest + m.MethodName;
}

}  // namespace kv::arc

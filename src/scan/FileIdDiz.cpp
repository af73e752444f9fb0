#include "scan/FileIdDiz.h"

#include <vector>

#include "base/text/OemBox.h"
#include "base/text/TextLines.h"

namespace kv {

std::string FileIdDizText(std::string_view bytes) {
    bytes = bytes.substr(0, kFileIdDizBytes);
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string text = TrimLines(bytes);
    OemBoxToAscii(text);
    return text;
}

std::string ReadFileIdDiz(ByteSource& source) {
    std::vector<char> bytes(kFileIdDizBytes);
    const std::size_t got = source.readAt(0, bytes.data(), bytes.size());
    return FileIdDizText(std::string_view(bytes.data(), got));
}

std::string FormatFileIdDiz(std::string_view description, const LineLimits& limits) {
    std::string out;
    for (const std::string& line : LimitedLines(description, limits)) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace kv

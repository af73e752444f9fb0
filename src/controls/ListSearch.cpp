#include "controls/ListSearch.h"

namespace kv {

namespace {

char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool startsWithNoCase(std::string_view name, std::string_view text) {
    if (name.size() < text.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (asciiUpper(name[i]) != asciiUpper(text[i]))
            return false;
    return true;
}

}  // namespace

std::ptrdiff_t FindNextInList(std::size_t count, const ListNameAt& nameAt, std::string_view text,
                              std::size_t start) {
    if (count == 0 || !nameAt)
        return -1;
    if (start >= count)
        start = 0;
    std::size_t i = start;
    do {
        if (startsWithNoCase(nameAt(i), text))
            return static_cast<std::ptrdiff_t>(i);
        i = i + 1 == count ? 0 : i + 1;
    } while (i != start);
    return -1;
}

}  // namespace kv

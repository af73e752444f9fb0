#include "ui/CellText.h"

#include <algorithm>
#include <cstring>

namespace kv::ui {

void copyCellText(std::string_view text, char* buffer, int length) {
    if (!buffer || length <= 0) return;
    size_t n = std::min(text.size(), static_cast<size_t>(length) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

}  // namespace kv::ui

#pragma once
// Copying a cell's text into a buffer the list control supplies.
#include <string_view>

namespace kv::ui {

// Copies text cut so that it and its terminating zero fit length bytes. A null
// buffer or a length of zero or less is never written.
void copyCellText(std::string_view text, char* buffer, int length);

}  // namespace kv::ui

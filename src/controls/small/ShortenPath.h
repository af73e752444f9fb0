#pragma once
// A path cut to fit a width: the whole path when it fits, else its head (the
// drive, or the network share "\\server\share"), "..." and as many folders as
// fit (nearest the file, or the leading ones), down to the file name alone. A
// trailing separator stays with the last folder. The one path shortening of
// the program: file labels and the recently-used files' menu items.
#include <functional>
#include <string>

namespace kv::ui {

enum class ShortenDirection { FromLeft, FromRight };

std::string ShortenPath(const std::string& path, int width, const std::string& separator, ShortenDirection direction,
                        const std::function<int(const std::string&)>& textWidth);

}  // namespace kv::ui

#pragma once
// Line handling of descriptions and report cells. A line break is CR LF, a lone
// CR or a lone LF; texts these functions build use CR LF.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

struct LineBreak {
    std::size_t position;  // text size when there is none
    std::size_t length;    // 2 for CR LF, 1 for CR or LF, 0 when there is none
};
LineBreak FindLineBreak(std::string_view text);
// The lines of a text; a break at its very end gives a last empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Every line trimmed at both ends of blanks, tabs, end-of-file marks (26) and
// 0xFF bytes; empty lines at the end are dropped and no line break ends the text.
std::string TrimLines(std::string_view text);

// Removes trailing blanks and control characters.
std::string TrimTrailing(std::string_view text);

struct WrappedText {
    std::string text;
    bool cut = false;  // lines with text were dropped for the line limit
};
// Breaks every line longer than Width at its last blank that keeps it within
// Width (the blanks at the break go); a word longer than Width is split. A
// maxLines of 0 means no limit.
WrappedText WrapText(std::string_view text, std::size_t width, std::size_t maxLines = 0);

// No character below 32.
bool IsPrintableText(std::string_view text);

}  // namespace kv

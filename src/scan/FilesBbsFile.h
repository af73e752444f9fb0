#pragma once
// "FILES.BBS" (BBS file lists): an entry line holds the name in its first
// column and the description after it; lines indented or no longer than the
// name continue the description. One line of look-ahead is kept between entries.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/DescLineReader.h"

namespace kv {

class FilesBbsReader {
public:
    explicit FilesBbsReader(DescLineReader& lines) : lines_(lines) {}

    // The next entry: name and raw description (lines from the description
    // column on, joined by CR LF, at most 4096 characters). With maxLines above
    // 0 later lines are dropped. False at the end of the file.
    bool next(std::string& name, std::string& description, std::size_t maxLines = 0);

private:
    bool fetch();

    DescLineReader& lines_;
    // The line read ahead; empty optional before the first read and at the end.
    std::optional<std::string> pending_;
    bool started_ = false;
};

struct LineLimits {
    std::size_t maxChars = 0;  // 0: lines are not cut
    std::size_t maxLines = 0;  // 0: every line
};

// The lines written for an entry: a name of up to 12 characters padded to 13,
// a longer one in double quotes on a line of its own; every further line
// indented by 13 blanks.
std::vector<std::string> FormatFilesBbsEntry(std::string_view name, std::string_view description,
                                             const LineLimits& limits);

// The description's lines, cut and counted as the limits say.
std::vector<std::string> LimitedLines(std::string_view description, const LineLimits& limits);

}  // namespace kv

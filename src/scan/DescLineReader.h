#pragma once
// Lines of a description file, read in chunks so that no line of any length is
// held whole: a line ends at CR LF, a lone CR or a lone LF; the end-of-file mark
// (26) ends the text as DOS editors left it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteSource.h"

namespace kv {

class DescLineReader {
public:
    // Lines keep at most maxLine bytes; the rest of a longer line is read and dropped.
    explicit DescLineReader(ByteSource& source, std::size_t maxLine = 8192);

    // The next line without its break; false at the end of the text. A failing
    // device throws EIoError.
    bool readLine(std::string& line);
    bool atEnd();

private:
    bool fill();
    int peek();

    ByteSource& source_;
    std::size_t maxLine_;
    std::uint64_t pos_ = 0;
    std::vector<char> chunk_;
    std::size_t at_ = 0;
    std::size_t have_ = 0;
    bool ended_ = false;
};

}  // namespace kv

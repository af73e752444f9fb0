#pragma once
// Reads records of a byte range of the catalog's file through BoundedReader:
// a window of the range is held in memory and moved along as records are parsed,
// so a record is parsed from memory and a damaged length never reads past the range.
#include <cstdint>
#include <vector>

#include "base/BoundedReader.h"
#include "base/Errors.h"
#include "catalog/file/CatalogFormat.h"
#include "base/ReadAhead.h"

namespace kv {

class SectionWindow {
public:
    // The range [begin, end) must lie inside the stream's file.
    SectionWindow(TReadAheadStream& stream, std::uint64_t begin, std::uint64_t end)
        : stream_(stream), pos_(begin), end_(end) {}

    std::uint64_t position() const { return pos_; }
    std::uint64_t end() const { return end_; }
    bool atEnd() const { return pos_ >= end_; }

    // Runs parse(BoundedReader&) on the bytes at the position and moves past what it
    // consumed. Views it returns stay valid until the next call. A record that runs
    // past the range end is damage: EInvalidCatalog.
    template <class Parse>
    auto next(Parse&& parse) {
        for (;;) {
            ensureWindow();
            const std::size_t at = static_cast<std::size_t>(pos_ - windowPos_);
            BoundedReader in(buffer_.data() + at, windowLen_ - at);
            try {
                auto result = parse(in);
                pos_ += in.position();
                return result;
            } catch (const ETruncated&) {
                if (windowPos_ + windowLen_ >= end_) throw EInvalidCatalog(kStructureErrorMessage);
                grow();
            }
        }
    }

private:
    void ensureWindow();
    void grow();

    TReadAheadStream& stream_;
    std::uint64_t pos_;
    std::uint64_t end_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t windowPos_ = 0;
    std::size_t windowLen_ = 0;
    std::size_t wanted_ = 16384;
};

}  // namespace kv

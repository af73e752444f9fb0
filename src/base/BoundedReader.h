#pragma once
// The one reader of outside data: little-endian fields from a byte range, every
// length checked against what remains. A read past the end throws ETruncated and
// moves nothing; it never reads a byte outside the range.
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "base/Errors.h"

namespace kv {

class BoundedReader {
public:
    BoundedReader() = default;
    explicit BoundedReader(std::span<const std::uint8_t> bytes) : data_(bytes.data()), size_(bytes.size()) {}
    BoundedReader(const void* data, std::size_t size) : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

    std::size_t position() const { return pos_; }
    std::size_t size() const { return size_; }
    std::size_t remaining() const { return size_ - pos_; }
    bool atEnd() const { return pos_ == size_; }

    // Moves to an absolute position inside the range (the end included).
    void seek(std::size_t pos) {
        if (pos > size_) throw ETruncated("position past the end of the data");
        pos_ = pos;
    }
    void skip(std::size_t n) { need(n); pos_ += n; }

    std::uint8_t u8() { need(1); return data_[pos_++]; }
    std::uint16_t u16() { return static_cast<std::uint16_t>(take<2>()); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(take<4>()); }
    std::uint64_t u64() { return take<8>(); }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::int64_t i64() { return static_cast<std::int64_t>(u64()); }
    double f64() {
        std::uint64_t bits = u64();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

    // n bytes as a view into the range; valid while the range is.
    std::span<const std::uint8_t> bytes(std::size_t n) {
        need(n);
        std::span<const std::uint8_t> s(data_ + pos_, n);
        pos_ += n;
        return s;
    }
    std::string_view text(std::size_t n) {
        auto b = bytes(n);
        return {reinterpret_cast<const char*>(b.data()), b.size()};
    }
    void copy(void* out, std::size_t n) {
        need(n);
        std::memcpy(out, data_ + pos_, n);
        pos_ += n;
    }

    // Throws unless n more bytes are there.
    void need(std::size_t n) const {
        if (n > size_ - pos_) throw ETruncated("data ends before its announced length");
    }

private:
    template <int N>
    std::uint64_t take() {
        need(N);
        std::uint64_t v = 0;
        for (int i = N - 1; i >= 0; --i) v = (v << 8) | data_[pos_ + i];
        pos_ += N;
        return v;
    }

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
};

}  // namespace kv

#pragma once
// Little-endian fields written through a buffer into a sink; earlier bytes can be
// patched, in the buffer when they are still there, in the sink otherwise.
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/ByteSink.h"

namespace kv {

class BufferedWriter {
public:
    explicit BufferedWriter(ByteSink& sink, std::size_t bufferSize = 1 << 16)
        : sink_(sink), base_(sink.size()), capacity_(bufferSize) {
        buf_.reserve(capacity_);
    }
    BufferedWriter(const BufferedWriter&) = delete;
    BufferedWriter& operator=(const BufferedWriter&) = delete;

    std::uint64_t position() const { return base_ + buf_.size(); }

    void u8(std::uint8_t v) { put(&v, 1); }
    void u16(std::uint16_t v) { le<2>(v); }
    void u32(std::uint32_t v) { le<4>(v); }
    void u64(std::uint64_t v) { le<8>(v); }
    void i32(std::int32_t v) { le<4>(static_cast<std::uint32_t>(v)); }
    void i64(std::int64_t v) { le<8>(static_cast<std::uint64_t>(v)); }
    void f64(double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        le<8>(bits);
    }
    void bytes(const void* data, std::size_t n) { put(data, n); }
    void text(std::string_view s) { put(s.data(), s.size()); }

    // Overwrites n bytes at an earlier position; they must all have been written
    // already (std::out_of_range otherwise).
    void patch(std::uint64_t pos, const void* data, std::size_t n) {
        if (pos > position() || n > position() - pos) throw std::out_of_range("patch past the written bytes");
        if (n == 0) return;
        if (pos >= base_) {
            std::memcpy(buf_.data() + (pos - base_), data, n);
        } else if (pos + n <= base_) {
            sink_.writeAt(pos, data, n);
        } else {
            std::size_t inSink = static_cast<std::size_t>(base_ - pos);
            sink_.writeAt(pos, data, inSink);
            std::memcpy(buf_.data(), static_cast<const std::uint8_t*>(data) + inSink, n - inSink);
        }
    }
    void patchU32(std::uint64_t pos, std::uint32_t v) {
        std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
        patch(pos, b, 4);
    }
    void patchI32(std::uint64_t pos, std::int32_t v) { patchU32(pos, static_cast<std::uint32_t>(v)); }

    // Hands the buffer to the sink (not to stable storage: that is the sink's flush).
    void flush() {
        if (!buf_.empty()) {
            sink_.write(buf_.data(), buf_.size());
            base_ += buf_.size();
            buf_.clear();
        }
    }

private:
    template <int N>
    void le(std::uint64_t v) {
        std::uint8_t b[N];
        for (int i = 0; i < N; ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
        put(b, N);
    }
    void put(const void* data, std::size_t n) {
        if (buf_.size() + n > capacity_) {
            flush();
            if (n > capacity_) {
                sink_.write(data, n);
                base_ += n;
                return;
            }
        }
        const auto* p = static_cast<const std::uint8_t*>(data);
        buf_.insert(buf_.end(), p, p + n);
    }

    ByteSink& sink_;
    std::uint64_t base_;  // sink position of buf_[0]
    std::size_t capacity_;
    std::vector<std::uint8_t> buf_;
};

}  // namespace kv

#pragma once
// The history of an LZ decoder, which is also its output buffer: a power-of-two
// ring flushed to the DecodedOutput each time it wraps. It counts down the declared
// size, so decoders stop there, and refuses a distance reaching before the first
// byte produced (the ring's unwritten part is never read).
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "archive/ArcError.h"
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

class LzWindow {
public:
    // sizeBits: log2 of the ring size.
    LzWindow(DecodedOutput& out, int sizeBits)
        : out_(out), ring_(std::size_t{1} << sizeBits, 0), mask_(ring_.size() - 1), left_(out.Remaining()) {}

    // For encoders that match against a preset history: the `count` bytes just before
    // the first output byte are `fill`, the rest of the ring zero, and all of it may be read.
    void PresetHistory(std::uint8_t fill, std::size_t count) {
        std::memset(ring_.data() + ring_.size() - count, fill, count);
        history_ = ring_.size();
    }

    bool Done() const { return left_ == 0; }
    std::uint64_t Left() const { return left_; }

    void Literal(std::uint8_t b) {
        if (left_ == 0) throw E_RAISE(eBadBlock);
        ring_[pos_++] = b;
        --left_;
        ++history_;
        if (pos_ == ring_.size()) wrap();
    }

    // Copies `length` bytes from `distance` back (1 = the last byte).
    void Copy(std::uint32_t distance, std::uint32_t length) {
        if (distance == 0 || distance > history_ || distance > ring_.size()) throw E_RAISE(eBadBlock);
        if (length > left_) throw E_RAISE(eBadBlock);
        left_ -= length;
        history_ += length;
        std::size_t from = (pos_ - distance) & mask_;
        if (from + length <= ring_.size() && pos_ + length < ring_.size() && distance >= length) {
            std::memmove(&ring_[pos_], &ring_[from], length);
            pos_ += length;
            return;
        }
        while (length-- > 0) {
            ring_[pos_++] = ring_[from];
            from = (from + 1) & mask_;
            if (pos_ == ring_.size()) wrap();
        }
    }

    // Hands what is not yet written to the output and flushes it.
    void Finish() {
        out_.Write(std::span<const std::uint8_t>(ring_.data() + flushed_, pos_ - flushed_));
        flushed_ = pos_;
        out_.Flush();
    }

private:
    void wrap() {
        out_.Write(std::span<const std::uint8_t>(ring_.data() + flushed_, ring_.size() - flushed_));
        pos_ = 0;
        flushed_ = 0;
    }

    DecodedOutput& out_;
    std::vector<std::uint8_t> ring_;
    std::size_t mask_;
    std::size_t pos_ = 0;
    std::size_t flushed_ = 0;
    std::uint64_t left_;
    std::uint64_t history_ = 0;
};

}  // namespace kv::arc

#pragma once
// The string table of the LZW decoders whose codes are handed out in order (ZOO's
// LZD, ARC's crunch 8 and squash): codes 0-255 are the bytes, each later code an
// earlier one plus a byte. The codes' widths, clear and end codes stay with the callers.
#include <cstdint>
#include <vector>

#include "archive/ArcError.h"

namespace kv::arc {

class LzwStringTable {
public:
    LzwStringTable(int maxBits, std::uint32_t firstFree)
        : size_(1u << maxBits), firstFree_(firstFree), freeCode_(firstFree), prefix_(size_), suffix_(size_), stack_(size_) {}

    // The code the next new string gets (the table's size once it is full).
    std::uint32_t FreeCode() const { return freeCode_; }

    // Forgets every string past the bytes; the next code starts afresh.
    void Clear() {
        freeCode_ = firstFree_;
        previous_ = kNone;
    }

    // Passes the bytes of `code` to put, first to last, and defines the string of the
    // code before it plus this one's first byte. eBadBlock for a code not yet defined,
    // eStackOverflow should a string outgrow the table.
    template <class Put>
    void Expand(std::uint32_t code, Put&& put) {
        if (previous_ == kNone) {
            if (code > 255) throw E_RAISE(eBadBlock);
            put(firstByte_ = static_cast<std::uint8_t>(code));
            previous_ = code;
            return;
        }
        if (code > freeCode_ || (code == freeCode_ && freeCode_ == size_)) throw E_RAISE(eBadBlock);
        // Pushed last byte first; the code just being defined is the previous string
        // plus its own first byte.
        std::size_t depth = 0;
        std::uint32_t c = code;
        if (code == freeCode_) {
            stack_[depth++] = firstByte_;
            c = previous_;
        }
        while (c > 255) {
            if (depth == stack_.size()) throw E_RAISE(eStackOverflow);
            stack_[depth++] = suffix_[c];
            c = prefix_[c];
        }
        if (depth == stack_.size()) throw E_RAISE(eStackOverflow);
        stack_[depth++] = firstByte_ = static_cast<std::uint8_t>(c);
        while (depth > 0) put(stack_[--depth]);
        if (freeCode_ < size_) {
            prefix_[freeCode_] = static_cast<std::uint16_t>(previous_);
            suffix_[freeCode_] = firstByte_;
            ++freeCode_;
        }
        previous_ = code;
    }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;
    std::uint32_t size_;
    std::uint32_t firstFree_;
    std::uint32_t freeCode_;
    std::uint32_t previous_ = kNone;
    std::uint8_t firstByte_ = 0;
    std::vector<std::uint16_t> prefix_;
    std::vector<std::uint8_t> suffix_;
    std::vector<std::uint8_t> stack_;
};

}  // namespace kv::arc

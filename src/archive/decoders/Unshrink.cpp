#include "archive/decoders/Unshrink.h"

#include <vector>

#include "archive/ArcError.h"
#include "archive/decoders/LsbBitReader.h"

namespace kv::arc {
namespace {

constexpr int kMaxBits = 13;
constexpr unsigned kCodes = 1u << kMaxBits;
constexpr unsigned kControl = 256;
constexpr unsigned kFirstFree = 257;
constexpr std::uint16_t kUnused = 0xFFFF;

class ShrinkTable {
public:
    ShrinkTable() : prefix_(kCodes, kUnused), suffix_(kCodes, 0), stack_(kCodes) {
        for (unsigned c = 0; c < 256; ++c) suffix_[c] = static_cast<std::uint8_t>(c);
    }

    bool Defined(unsigned code) const {
        return code < 256 || (code >= kFirstFree && code < kCodes && prefix_[code] != kUnused);
    }

    // The string of a defined code, first byte first. A partial clear may have freed
    // any code of the chain (the previous code too): that is damage, not a string.
    std::span<const std::uint8_t> String(unsigned code) {
        std::size_t top = kCodes;
        while (code >= 256) {
            if (!Defined(code)) throw E_RAISE(eInvalidCode);
            if (top == 1) throw E_RAISE(eStackOverflow);
            stack_[--top] = suffix_[code];
            code = prefix_[code];
        }
        stack_[--top] = static_cast<std::uint8_t>(code);
        return std::span<const std::uint8_t>(stack_.data() + top, kCodes - top);
    }

    void Add(unsigned prefix, std::uint8_t suffix) {
        if (next_ >= kCodes) return;  // full: codes stay as they are until a clear
        prefix_[next_] = static_cast<std::uint16_t>(prefix);
        suffix_[next_] = suffix;
        advance();
    }
    unsigned Next() const { return next_; }

    // Frees every code that is no other code's prefix.
    void PartialClear() {
        std::vector<bool> isPrefix(kCodes, false);
        for (unsigned c = kFirstFree; c < kCodes; ++c) {
            if (prefix_[c] != kUnused) isPrefix[prefix_[c]] = true;
        }
        for (unsigned c = kFirstFree; c < kCodes; ++c) {
            if (!isPrefix[c]) prefix_[c] = kUnused;
        }
        next_ = kFirstFree - 1;
        advance();
    }

private:
    void advance() {
        do ++next_;
        while (next_ < kCodes && prefix_[next_] != kUnused);
    }

    std::vector<std::uint16_t> prefix_;
    std::vector<std::uint8_t> suffix_;
    std::vector<std::uint8_t> stack_;
    unsigned next_ = kFirstFree;
};

}  // namespace

void DecodeShrink(PackedInput& in, DecodedOutput& out) {
    if (out.Remaining() == 0) return;
    LsbBitReader bits(in);
    ShrinkTable table;
    int codeSize = 9;
    unsigned previous = bits.Get(codeSize);
    if (previous >= 256) throw E_RAISE(eInvalidCode);
    out.Put(static_cast<std::uint8_t>(previous));
    while (out.Remaining() > 0) {
        unsigned code = bits.Get(codeSize);
        if (code == kControl) {
            unsigned sub = bits.Get(codeSize);
            if (sub == 1 && codeSize < kMaxBits) {
                ++codeSize;
            } else if (sub == 2) {
                table.PartialClear();
            } else {
                throw E_RAISE(eBadBlock);
            }
            continue;
        }
        std::uint8_t first;
        if (table.Defined(code)) {
            auto s = table.String(code);
            first = s[0];
            out.Write(s);
        } else if (code == table.Next()) {
            // The code being defined right now: the previous string plus its own first byte.
            auto s = table.String(previous);
            first = s[0];
            out.Write(s);
            out.Put(first);
        } else {
            throw E_RAISE(eInvalidCode);
        }
        table.Add(previous, first);
        previous = code;
    }
    out.Flush();
}

}  // namespace kv::arc

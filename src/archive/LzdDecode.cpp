#include "LzdDecode.h"

#include <array>
#include <cstdint>
#include <vector>

#include "LsbBitReader.h"

namespace kv::arc {
namespace {

constexpr int kMinBits = 9;
constexpr int kMaxBits = 13;
constexpr std::uint32_t kTableSize = 1u << kMaxBits;
constexpr std::uint32_t kClear = 256;
constexpr std::uint32_t kEnd = 257;
constexpr std::uint32_t kFirstFree = 258;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

}  // namespace

void LzdDecode(PackedInput& in, DecodedOutput& out) {
    LsbBitReader bits(in);
    std::vector<std::uint16_t> prefix(kTableSize);
    std::vector<std::uint8_t> suffix(kTableSize);
    std::vector<std::uint8_t> stack(kTableSize);
    int width = kMinBits;
    std::uint32_t freeCode = kFirstFree;
    std::uint32_t previous = kNone;
    std::uint8_t firstByte = 0;

    while (out.Remaining() > 0) {
        const std::uint32_t code = bits.Get(width);
        if (code == kEnd) throw E_RAISE(eBadBlock);  // the data ends short of the declared size
        if (code == kClear) {
            width = kMinBits;
            freeCode = kFirstFree;
            previous = kNone;
            continue;
        }
        if (previous == kNone) {
            if (code > 255) throw E_RAISE(eBadBlock);
            out.Put(static_cast<std::uint8_t>(code));
            previous = code;
            firstByte = static_cast<std::uint8_t>(code);
            continue;
        }
        if (code > freeCode || (code == freeCode && freeCode == kTableSize)) throw E_RAISE(eBadBlock);
        // A string is pushed last byte first; the code just being defined is the
        // previous string plus its own first byte.
        std::size_t depth = 0;
        std::uint32_t c = code;
        if (code == freeCode) {
            stack[depth++] = firstByte;
            c = previous;
        }
        while (c > 255) {
            if (depth == stack.size()) throw E_RAISE(eStackOverflow);
            stack[depth++] = suffix[c];
            c = prefix[c];
        }
        if (depth == stack.size()) throw E_RAISE(eStackOverflow);
        stack[depth++] = static_cast<std::uint8_t>(c);
        firstByte = static_cast<std::uint8_t>(c);
        while (depth > 0) out.Put(stack[--depth]);

        if (freeCode < kTableSize) {
            prefix[freeCode] = static_cast<std::uint16_t>(previous);
            suffix[freeCode] = firstByte;
            ++freeCode;
            if (freeCode >= (1u << width) && width < kMaxBits) ++width;
        }
        previous = code;
    }
    out.Flush();
}

}  // namespace kv::arc

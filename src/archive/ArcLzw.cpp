#include <array>
#include <vector>

#include "ArcDecoders.h"

namespace kv::arc {
namespace {

constexpr int kMinBits = 9;
constexpr int kClear = 256;
constexpr int kFirstFree = 257;

// Codes of the current width come in groups of eight (as many bytes as bits per
// code); a change of width or a clear starts a new group, dropping the rest of the old.
class GroupedCodes {
public:
    explicit GroupedCodes(PackedInput& in) : in_(in) {}

    // -1 at the end of the data.
    int Next(int width, bool newGroup) {
        if (newGroup || offset_ + width > size_) {
            const std::size_t got = in_.Read(group_.data(), static_cast<std::size_t>(width));
            if (got == 0) return -1;
            offset_ = 0;
            size_ = static_cast<int>(got) * 8;
            if (width > size_) return -1;
        }
        int code = 0;
        for (int i = 0; i < width; ++i, ++offset_)
            code |= (group_[static_cast<std::size_t>(offset_ >> 3)] >> (offset_ & 7) & 1) << i;
        return code;
    }

private:
    PackedInput& in_;
    std::array<std::uint8_t, 16> group_{};
    int offset_ = 0;
    int size_ = 0;
};

}  // namespace

void ArcUnLzw(PackedInput& in, ArcStage& stage, int maxBits) {
    const int tableSize = 1 << maxBits;
    std::vector<std::uint16_t> prefix(static_cast<std::size_t>(tableSize));
    std::vector<std::uint8_t> suffix(static_cast<std::size_t>(tableSize));
    std::vector<std::uint8_t> stack(static_cast<std::size_t>(tableSize));
    GroupedCodes codes(in);

    int width = kMinBits;
    int freeCode = kFirstFree;
    bool newGroup = false;
    int previous = -1;
    std::uint8_t firstByte = 0;
    while (!stage.Full()) {
        // The width grows once the next free code no longer fits (and then starts a new group).
        if (freeCode > (1 << width) - 1 && width < maxBits) {
            ++width;
            newGroup = true;
        }
        int code = codes.Next(width, newGroup);
        newGroup = false;
        if (code < 0) break;
        if (code == kClear) {
            width = kMinBits;
            freeCode = kFirstFree;
            previous = -1;
            newGroup = true;
            continue;
        }
        if (previous < 0) {
            if (code > 255) throw E_RAISE(eBadBlock);
            stage.Put(firstByte = static_cast<std::uint8_t>(code));
            previous = code;
            continue;
        }
        if (code > freeCode || (code == freeCode && freeCode == tableSize)) throw E_RAISE(eBadBlock);
        std::size_t depth = 0;
        int c = code;
        if (code == freeCode) {
            stack[depth++] = firstByte;
            c = previous;
        }
        while (c > 255) {
            if (depth == stack.size()) throw E_RAISE(eStackOverflow);
            stack[depth++] = suffix[static_cast<std::size_t>(c)];
            c = prefix[static_cast<std::size_t>(c)];
        }
        if (depth == stack.size()) throw E_RAISE(eStackOverflow);
        stack[depth++] = firstByte = static_cast<std::uint8_t>(c);
        while (depth > 0) stage.Put(stack[--depth]);
        if (freeCode < tableSize) {
            prefix[static_cast<std::size_t>(freeCode)] = static_cast<std::uint16_t>(previous);
            suffix[static_cast<std::size_t>(freeCode)] = firstByte;
            ++freeCode;
        }
        previous = code;
    }
    stage.End();
}

}  // namespace kv::arc

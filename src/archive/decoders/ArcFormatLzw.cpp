#include <array>

#include "archive/decoders/ArcFormatDecoders.h"
#include "archive/decoders/LzwStringTable.h"

namespace kv::arc {
namespace {

constexpr int kMinBits = 9;
constexpr int kClear = 256;
constexpr std::uint32_t kFirstFree = 257;

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
    LzwStringTable table(maxBits, kFirstFree);
    GroupedCodes codes(in);
    int width = kMinBits;
    bool newGroup = false;
    while (!stage.Full()) {
        // The width grows once the next free code no longer fits (and then starts a new group).
        if (table.FreeCode() > (1u << width) - 1 && width < maxBits) {
            ++width;
            newGroup = true;
        }
        const int code = codes.Next(width, newGroup);
        newGroup = false;
        if (code < 0) break;
        if (code == kClear) {
            width = kMinBits;
            table.Clear();
            newGroup = true;
            continue;
        }
        table.Expand(static_cast<std::uint32_t>(code), [&](std::uint8_t b) { stage.Put(b); });
    }
    stage.End();
}

}  // namespace kv::arc

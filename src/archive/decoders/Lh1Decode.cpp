#include "archive/decoders/Lh1Decode.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "archive/decoders/LzWindow.h"
#include "archive/decoders/MsbBitReader.h"

namespace kv::arc {
namespace {

constexpr int kWindowBits = 12;
constexpr int kMaxMatch = 60;
constexpr int kMinMatch = 3;
constexpr int kSymbols = 256 + kMaxMatch - kMinMatch + 1;  // 314: literals, then lengths 3..60
constexpr int kNodes = 2 * kSymbols - 1;                   // 627
constexpr int kRoot = kNodes - 1;
constexpr std::uint16_t kRebuildAt = 0x8000;

// The adaptive code: a sibling-ordered tree (frequencies ascending by index) whose
// leaves are found as son >= kNodes. Frequencies are halved when the root reaches 32768.
class AdaptiveTree {
public:
    AdaptiveTree() {
        for (int i = 0; i < kSymbols; ++i) {
            freq_[i] = 1;
            son_[i] = static_cast<std::uint16_t>(i + kNodes);
            parent_[i + kNodes] = static_cast<std::uint16_t>(i);
        }
        for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
            freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
            son_[j] = static_cast<std::uint16_t>(i);
            parent_[i] = parent_[i + 1] = static_cast<std::uint16_t>(j);
        }
        freq_[kNodes] = 0xFFFF;  // sentinel above every real frequency
        parent_[kRoot] = 0;
    }

    int Decode(MsbBitReader& bits) {
        int c = son_[kRoot];
        while (c < kNodes) c = son_[c + static_cast<int>(bits.Get(1))];
        c -= kNodes;
        update(c);
        return c;
    }

private:
    void rebuild() {
        int j = 0;
        for (int i = 0; i < kNodes; ++i) {
            if (son_[i] >= kNodes) {
                freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
                son_[j] = son_[i];
                ++j;
            }
        }
        for (int i = 0, node = kSymbols; node < kNodes; i += 2, ++node) {
            const std::uint16_t f = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
            int k = node - 1;
            while (f < freq_[k]) --k;
            ++k;
            std::move_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
            std::move_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
            freq_[k] = f;
            son_[k] = static_cast<std::uint16_t>(i);
        }
        for (int i = 0; i < kNodes; ++i) {
            const int k = son_[i];
            parent_[k] = static_cast<std::uint16_t>(i);
            if (k < kNodes) parent_[k + 1] = static_cast<std::uint16_t>(i);
        }
    }

    void update(int symbol) {
        if (freq_[kRoot] == kRebuildAt) rebuild();
        int c = parent_[symbol + kNodes];
        do {
            const std::uint16_t k = ++freq_[c];
            // Keep the sibling order: swap with the last node of a smaller frequency.
            int l = c + 1;
            if (k > freq_[l]) {
                while (k > freq_[++l]) {
                }
                --l;
                freq_[c] = freq_[l];
                freq_[l] = k;
                const int i = son_[c];
                parent_[i] = static_cast<std::uint16_t>(l);
                if (i < kNodes) parent_[i + 1] = static_cast<std::uint16_t>(l);
                const int j = son_[l];
                son_[l] = static_cast<std::uint16_t>(i);
                parent_[j] = static_cast<std::uint16_t>(c);
                if (j < kNodes) parent_[j + 1] = static_cast<std::uint16_t>(c);
                son_[c] = static_cast<std::uint16_t>(j);
                c = l;
            }
            c = parent_[c];
        } while (c != 0);
    }

    std::array<std::uint16_t, kNodes + 1> freq_{};
    std::array<std::uint16_t, kNodes + kSymbols> parent_{};  // of nodes, then of leaves at kNodes + symbol
    std::array<std::uint16_t, kNodes> son_{};
};

// The upper six bits of a distance in a fixed code of 3 to 8 bits, found from the
// first eight bits: (code value, code length) per 8-bit prefix.
struct PositionCode {
    std::array<std::uint8_t, 256> upper{};
    std::array<std::uint8_t, 256> length{};
    PositionCode() {
        // How many of the 64 upper values take each length from 3 to 8.
        constexpr int kPerLength[] = {1, 3, 8, 12, 24, 16};
        int prefix = 0;
        int value = 0;
        for (int len = 3; len <= 8; ++len) {
            for (int n = 0; n < kPerLength[len - 3]; ++n, ++value) {
                for (int k = 0; k < 1 << (8 - len); ++k, ++prefix) {
                    upper[prefix] = static_cast<std::uint8_t>(value);
                    length[prefix] = static_cast<std::uint8_t>(len);
                }
            }
        }
    }
};

const PositionCode& Positions() {
    static const PositionCode code;
    return code;
}

}  // namespace

void Lh1Decode(PackedInput& in, DecodedOutput& out) {
    MsbBitReader bits(in);
    LzWindow window(out, kWindowBits);
    // LHarc's encoder starts with all but the last 60 history bytes set to spaces;
    // real -lh1- members match against them.
    window.PresetHistory(' ', (std::size_t{1} << kWindowBits) - kMaxMatch);
    AdaptiveTree tree;
    const PositionCode& positions = Positions();
    while (!window.Done()) {
        const int c = tree.Decode(bits);
        if (c < 256) {
            window.Literal(static_cast<std::uint8_t>(c));
            continue;
        }
        const std::uint32_t first = bits.Get(8);
        // The code's bits after the first eight, then the low six bits follow.
        const int more = positions.length[first] - 2;
        const std::uint32_t low = (first << more | bits.Get(more)) & 0x3F;
        const std::uint32_t distance = (static_cast<std::uint32_t>(positions.upper[first]) << 6 | low) + 1;
        window.Copy(distance, static_cast<std::uint32_t>(c - 256 + kMinMatch));
    }
    window.Finish();
}

}  // namespace kv::arc

#include "controls/gradient/GradientColors.h"

#include <algorithm>
#include <cmath>

namespace kv::ui {

std::vector<std::uint32_t> ComputeGradientColors(std::uint32_t start, std::uint32_t end, int count) {
    count = std::clamp(count, 1, kMaxGradientColors);
    std::vector<std::uint32_t> out(count);
    double step[3];
    for (int c = 0; c < 3; ++c) {
        const int s = (start >> (8 * c)) & 0xFF;
        const int e = (end >> (8 * c)) & 0xFF;
        step[c] = count > 1 ? double(e - s) / (count - 1) : 0.0;
    }
    for (int i = 0; i < count; ++i) {
        std::uint32_t colour = 0;
        for (int c = 0; c < 3; ++c) {
            const int s = (start >> (8 * c)) & 0xFF;
            const int v = std::clamp(s + static_cast<int>(std::lround(step[c] * i)), 0, 255);
            colour |= std::uint32_t(v) << (8 * c);
        }
        out[i] = colour;
    }
    return out;
}

int GradientBandEdge(int width, int count, int i) {
    if (count <= 0) return 0;
    return static_cast<int>(std::lround(double(width) / count * i));
}

}  // namespace kv::ui

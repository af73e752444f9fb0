#pragma once
// The colour steps of a gradient caption: per channel a real step from start
// to end, each entry rounded, so the first entry is the start colour and the
// last the end colour. Colours are 0x00BBGGRR.
#include <cstdint>
#include <vector>

namespace kv::ui {

inline constexpr int kMinGradientColors = 8;
inline constexpr int kMaxGradientColors = 256;

std::vector<std::uint32_t> ComputeGradientColors(std::uint32_t start, std::uint32_t end, int count);
// Left edge of band i of count over width pixels: round(width / count * i).
int GradientBandEdge(int width, int count, int i);

}  // namespace kv::ui

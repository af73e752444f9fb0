#include "archive/formats/TarHeader.h"

namespace kv::arc {

bool TarChecksumHolds(const std::uint8_t* h) {
    std::int64_t stored = 0;
    bool digits = false;
    for (int i = 148; i < 156; ++i) {
        if (h[i] >= '0' && h[i] <= '7') {
            stored = stored * 8 + (h[i] - '0');
            digits = true;
        }
    }
    if (!digits) return false;
    std::int64_t unsignedSum = 0, signedSum = 0;
    for (int i = 0; i < 512; ++i) {
        std::uint8_t b = (i >= 148 && i < 156) ? ' ' : h[i];
        unsignedSum += b;
        signedSum += static_cast<std::int8_t>(b);
    }
    return stored == unsignedSum || stored == signedSum;
}

}  // namespace kv::arc

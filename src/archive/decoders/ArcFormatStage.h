#pragma once
// Where an ARC decoder puts its bytes: straight to the output, or through the
// run-length stage (0x90 n repeats the last byte n - 1 more times, 0x90 0 is 0x90).
#include <cstdint>

#include "archive/ArcError.h"
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

class ArcStage {
public:
    ArcStage(DecodedOutput& out, bool runLength) : out_(out), runLength_(runLength) {}

    bool Full() const { return out_.Remaining() == 0; }

    void Put(std::uint8_t b) {
        if (!runLength_) {
            out_.Put(b);
        } else if (afterMark_) {
            afterMark_ = false;
            if (b == 0) {
                out_.Put(kMark);
            } else {
                for (int i = 1; i < b; ++i) out_.Put(last_);
            }
        } else if (b == kMark) {
            afterMark_ = true;
        } else {
            out_.Put(last_ = b);
        }
    }

    // The input ended: every declared byte must be there.
    void End() {
        if (out_.Remaining() != 0) throw E_RAISE(eBadBlock);
        out_.Flush();
    }

private:
    static constexpr std::uint8_t kMark = 0x90;
    DecodedOutput& out_;
    bool runLength_;
    bool afterMark_ = false;
    std::uint8_t last_ = 0;
};

}  // namespace kv::arc

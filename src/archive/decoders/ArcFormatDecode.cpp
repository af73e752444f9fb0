#include "archive/decoders/ArcFormatDecode.h"

#include "archive/decoders/ArcFormatDecoders.h"

namespace kv::arc {

void ArcDecode(PackedInput& in, DecodedOutput& out, int method) {
    switch (method) {
        case 1:
        case 2:
        case 3: {
            ArcStage stage(out, method == 3);
            for (int b = in.NextByte(); b >= 0 && !stage.Full(); b = in.NextByte())
                stage.Put(static_cast<std::uint8_t>(b));
            stage.End();
            return;
        }
        case 4: {
            ArcStage stage(out, true);
            ArcUnsqueeze(in, stage);
            return;
        }
        case 5:
        case 6:
        case 7: {
            ArcStage stage(out, method != 5);
            ArcUncrunch(in, stage, method == 7);
            return;
        }
        case 8: {
            // The data starts with the largest code width the packer used (12 in practice).
            const int maxBits = in.NextByte();
            if (maxBits < 9 || maxBits > 12) throw E_RAISE(eIncorrectBits);
            ArcStage stage(out, true);
            ArcUnLzw(in, stage, maxBits);
            return;
        }
        case 9: {
            ArcStage stage(out, false);
            ArcUnLzw(in, stage, 13);
            return;
        }
        default:
            throw E_RAISE(eUnsupportedMethod);
    }
}

}  // namespace kv::arc

#pragma once
// The ARC methods behind ArcDecode, each putting its bytes into the stage the
// method asks for.
#include "archive/decoders/ArcFormatStage.h"

namespace kv::arc {

void ArcUnsqueeze(PackedInput& in, ArcStage& stage);
// Methods 5-7: 12-bit LZW with a hashed string table; `newHash` for method 7.
void ArcUncrunch(PackedInput& in, ArcStage& stage, bool newHash);
// Methods 8 and 9: LZW with codes growing from 9 bits to maxBits, read in groups.
void ArcUnLzw(PackedInput& in, ArcStage& stage, int maxBits);

}  // namespace kv::arc

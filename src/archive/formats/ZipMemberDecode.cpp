#include "archive/formats/ZipMemberDecode.h"

#include "archive/ArcError.h"
#include "archive/decoders/CopyStored.h"
#include "archive/decoders/Explode.h"
#include "archive/decoders/Inflate.h"
#include "archive/decoders/Unreduce.h"
#include "archive/decoders/Unshrink.h"

namespace kv::arc {

void DecodeZipMember(PackedInput& in, DecodedOutput& out, int method, std::uint16_t flags) {
    switch (method) {
        case 0: CopyStored(in, out); return;
        case 1: DecodeShrink(in, out); return;
        case 2:
        case 3:
        case 4:
        case 5: DecodeReduce(in, out, method - 1); return;
        case 6: DecodeImplode(in, out, flags); return;
        case 8: Inflate(in, out); return;
        default: throw E_RAISE(eUnsupportedMethod);
    }
}

}  // namespace kv::arc

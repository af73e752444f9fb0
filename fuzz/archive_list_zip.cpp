// The ZIP walker. Its signature is written over the first bytes, so that
// detection picks it.
#include "ArcFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::ListAs("C:\\F.ZIP", data, size, std::string("PK", 2));
}

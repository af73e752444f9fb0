// The ARC extractor's member loop.
#include "ExtractFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::ExtractAs(kv::arc::atARC, "C:\\F.ARC", data, size, std::string("\x1A", 1));
}

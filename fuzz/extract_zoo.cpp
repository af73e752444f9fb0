// The ZOO extractor's member loop.
#include "ExtractFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::ExtractAs(kv::arc::atZOO, "C:\\F.ZOO", data, size, std::string("ZOO", 3));
}

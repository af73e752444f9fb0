// The ZIP extractor's member loop.
#include "ExtractFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::ExtractAs(kv::arc::atZIP, "C:\\F.ZIP", data, size, std::string("PK", 2));
}

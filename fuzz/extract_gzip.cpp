// The gzip extractor's member loop.
#include "ExtractFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::ExtractAs(kv::arc::atGZip, "C:\\F.GZ", data, size, std::string("\x1F", 1));
}

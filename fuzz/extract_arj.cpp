// The ARJ extractor's member loop.
#include "ExtractFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::ExtractAs(kv::arc::atARJ, "C:\\F.ARJ", data, size, std::string("\x60\xEA", 2));
}

// The LHA walker. Detection wants "-l" at bytes 2-3: inputs from real archives keep it.
#include "ArcFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::ListAs("C:\\F.LZH", data, size, std::string());
}

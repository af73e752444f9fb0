// The TAR walker. The first header's checksum is made to hold, so that detection
// picks it.
#include "ArcFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kv::arc::fuzz::ListAs("C:\\F.TAR", data, size, std::string(), kv::arc::fuzz::FixTarChecksum);
}

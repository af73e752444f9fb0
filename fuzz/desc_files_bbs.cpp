// FILES.BBS from a medium: entries stay within their bounds whatever the
// bytes, with and without a line limit.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/ByteSource.h"
#include "scan/DescriptIonFile.h"
#include "scan/FilesBbsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t maxLines : {std::size_t{0}, std::size_t{2}}) {
        kv::MemorySource source(std::vector<std::uint8_t>(data, data + size));
        kv::DescLineReader lines(source, 8192);
        kv::FilesBbsReader reader(lines);
        std::string name, description;
        std::size_t entries = 0;
        while (reader.next(name, description, maxLines)) {
            if (description.size() > kv::kMaxDescriptionLength) std::abort();
            if (++entries > size) std::abort();
            kv::FormatFilesBbsEntry(name, description, kv::LineLimits{40, 3});
        }
    }
    return 0;
}

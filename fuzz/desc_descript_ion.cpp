// DESCRIPT.ION lines from a medium: any bytes give bounded entries, and an
// entry written back reads as the same name.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/ByteSource.h"
#include "scan/DescriptIonFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::MemorySource source(std::vector<std::uint8_t>(data, data + size));
    kv::DescLineReader lines(source, 1024);
    std::string name, description;
    while (!lines.atEnd()) {
        if (!kv::ReadDescriptLine(lines, name, description)) continue;
        if (description.size() > kv::kMaxDescriptionLength || description.empty()) std::abort();
        if (name.find('"') != std::string::npos || name.find_first_of("\r\n") != std::string::npos) continue;
        const std::string line = kv::FormatDescriptEntry(name, description);
        if (line.size() > 511) std::abort();
        std::string again, againDescription;
        if (!name.empty() && kv::ParseDescriptLine(line, again, againDescription) && again != name) std::abort();
    }
    return 0;
}

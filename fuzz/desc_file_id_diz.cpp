// FILE_ID.DIZ from a medium or an archive: the text stays bounded, has no NUL
// and no blank ends on its lines.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/ByteSource.h"
#include "scan/FileIdDiz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::MemorySource source(std::vector<std::uint8_t>(data, data + size));
    const std::string text = kv::ReadFileIdDiz(source);
    if (text.size() > 2 * kv::kFileIdDizBytes) std::abort();
    if (text.find('\0') != std::string::npos) std::abort();
    if (!text.empty() && (text.back() == ' ' || text.front() == ' ')) std::abort();
    kv::FormatFileIdDiz(text, kv::LineLimits{10, 2});
    return 0;
}

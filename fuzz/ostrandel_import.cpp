// The earlier DOS program's database: four files read without trust. The input
// is three 16-bit lengths (".DSK", ".CMT", ".FDS") and the bytes of the files,
// the rest being ".FIL". Every node under the new catalog is a disk with folders.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "scan/dosimport/OstrandelImport.h"

namespace {

bool OnlyFolders(const kv::Node& node) {
    for (const auto& child : node.children())
        if (!kv::RecordAs<kv::TFolderRec>(child->record()) || !OnlyFolders(*child)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    std::size_t lengths[3];
    for (int i = 0; i < 3; ++i) lengths[i] = data[2 * i] | (data[2 * i + 1] << 8);
    std::size_t pos = 6;
    std::vector<std::uint8_t> parts[4];
    for (int i = 0; i < 3; ++i) {
        const std::size_t n = std::min(lengths[i], size - pos);
        parts[i].assign(data + pos, data + pos + n);
        pos += n;
    }
    parts[3].assign(data + pos, data + size);
    kv::OstrandelDatabase database{parts[0], parts[1], parts[2], parts[3]};
    kv::Forest forest;
    const kv::OstrandelImportResult result = kv::ImportOstrandelDatabase(forest, database);
    if (!result.catalog || result.catalog->children().size() != parts[0].size() / kv::kOstDiskRecordSize) std::abort();
    for (const auto& disk : result.catalog->children())
        if (!kv::RecordAs<kv::TDiskRec>(disk->record()) || !OnlyFolders(*disk)) std::abort();
    return 0;
}

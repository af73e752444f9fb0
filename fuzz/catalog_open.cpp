// Opens catalog bytes as the program opens a file, then loads every folder and file
// list in it. Damage must end in the reader's message or the list recovery.
#include <cstdint>
#include <vector>

#include "base/ByteSource.h"
#include "base/Errors.h"
#include "catalog/file/CatalogLoad.h"

namespace {

// Counts the reports instead of showing them.
class SilentPrompt final : public kv::ui::UserPrompt {
public:
    kv::ui::PromptAnswer ask(const kv::ui::PromptRequest&) override { return kv::ui::PromptAnswer::Ok; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kv;
    SilentPrompt prompt;
    Forest forest;
    auto source = std::make_unique<MemorySource>(std::vector<std::uint8_t>(data, data + size));
    // A small buffer makes the stream refill in the middle of records.
    auto reader = MakeReader(std::make_unique<TReadAheadStream>(std::move(source), "fuzz.ctf", 64));
    try {
        Node* catalog = ReadCatalog(forest, std::move(reader));
        for (const auto& disk : catalog->children()) LoadSubfolders(disk.get(), true, true, &prompt);
    } catch (const EInvalidCatalog&) {
    }
    return 0;
}

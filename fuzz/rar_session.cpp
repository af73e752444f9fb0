// Our RAR library's header walk and stored-member copy. The input is the first
// volume and, again, the next one, so split members follow into a volume; members
// are extracted, tested or skipped in turn. Every call ends in a result code.
#include "ArcFuzz.h"
#include "unrar/RarSession.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto fs = std::make_unique<kv::arc::fuzz::OneFileSystem>();
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() >= 4) std::memcpy(bytes.data(), "Rar!", 4);
    fs->files["C:\\IN\\X.RAR"] = bytes;
    fs->files["C:\\IN\\X.R00"] = std::move(bytes);
    kv::rar::RarSession s(std::move(fs));
    if (s.Open("C:\\IN\\X.RAR") != kv::rar::kSuccess) return 0;
    RARHeaderData h{};
    for (int n = 0; s.ReadHeader(h) == kv::rar::kSuccess; ++n) {
        // A walk that never ends is a finding: no archive this size holds so many headers.
        if (n > static_cast<int>(size) + 2) __builtin_trap();
        static constexpr int kOperations[] = {kv::rar::kExtract, kv::rar::kTest, kv::rar::kSkip};
        s.ProcessFile(kOperations[n % 3], "C:\\OUT\\", nullptr);
    }
    return 0;
}

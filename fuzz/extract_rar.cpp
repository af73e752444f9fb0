// The RAR extractor's member loop over our RAR library's core. Natively there is no
// DLL: the extractor gets the library's handle functions, with a file system that
// holds the input.
#include <vector>

#include "ExtractFuzz.h"
#include "archive/formats/RarExtractor.h"
#include "unrar/RarHandles.h"

namespace {

// The archive of the run under way: the library's open call carries only a name.
const std::vector<std::uint8_t>* currentInput = nullptr;

void* Open(RAROpenArchiveData* data) {
    return kv::rar::OpenArchive(data, [data] {
        auto fs = std::make_unique<kv::arc::fuzz::OneFileSystem>();
        fs->files[data->ArcName] = *currentInput;
        return std::unique_ptr<kv::IFileSystem>(std::move(fs));
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() >= 4) std::memcpy(bytes.data(), "Rar!", 4);
    currentInput = &bytes;
    return kv::arc::fuzz::ExtractAs(kv::arc::atRAR, "C:\\F.RAR", bytes.data(), bytes.size(), std::string(), nullptr,
                                    [](kv::arc::TUnBase& x) {
                                        static_cast<kv::arc::TUnRAR&>(x).Loader = [] {
                                            using namespace kv::rar;
                                            auto f = std::make_shared<kv::arc::RarFunctions>();
                                            *f = kv::arc::RarFunctions{Open,        CloseArchive,     ReadHeader,
                                                                       ProcessFile, SetChangeVolProc, SetProcessDataProc};
                                            return std::shared_ptr<const kv::arc::RarFunctions>(f);
                                        };
                                    });
}

// The RAR extractor's member loop over our RAR library's core. Natively there is no
// DLL: the library's functions are bound here to a session over the input, and
// answer every failure with a result code, as the exported functions do.
#include <vector>

#include "ExtractFuzz.h"
#include "archive/UnRAR.h"
#include "unrar/RarSession.h"

namespace {

using kv::rar::RarSession;

// The archive of the run under way: the library's open call carries only a name.
const std::vector<std::uint8_t>* currentInput = nullptr;

RarSession* sessionOf(void* handle) { return static_cast<RarSession*>(handle); }

template <class F>
int guarded(F&& f) {
    try {
        return f();
    } catch (...) {
        return kv::rar::kUnknown;
    }
}

void* Open(RAROpenArchiveData* data) {
    auto fs = std::make_unique<kv::arc::fuzz::OneFileSystem>();
    fs->files[data->ArcName] = *currentInput;
    auto session = std::make_unique<RarSession>(std::move(fs));
    data->OpenResult = guarded([&] { return session->Open(data->ArcName); });
    return data->OpenResult == kv::rar::kSuccess ? session.release() : nullptr;
}
int Close(void* handle) {
    delete sessionOf(handle);
    return kv::rar::kSuccess;
}
int ReadHeader(void* handle, RARHeaderData* data) {
    return guarded([&] { return sessionOf(handle)->ReadHeader(*data); });
}
int Process(void* handle, int operation, char* path, char* name) {
    return guarded([&] { return sessionOf(handle)->ProcessFile(operation, path, name); });
}
void SetVolume(void* handle, CHANGEVOLPROC proc) { sessionOf(handle)->ChangeVolume = proc; }
void SetData(void* handle, PROCESSDATAPROC proc) { sessionOf(handle)->ProcessData = proc; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() >= 4) std::memcpy(bytes.data(), "Rar!", 4);
    currentInput = &bytes;
    return kv::arc::fuzz::ExtractAs(kv::arc::atRAR, "C:\\F.RAR", bytes.data(), bytes.size(), std::string(), nullptr,
                                    [](kv::arc::TUnBase& x) {
                                        static_cast<kv::arc::TUnRAR&>(x).Loader = [] {
                                            auto f = std::make_shared<kv::arc::RarFunctions>();
                                            *f = kv::arc::RarFunctions{Open,    Close,     ReadHeader,
                                                                       Process, SetVolume, SetData};
                                            return std::shared_ptr<const kv::arc::RarFunctions>(f);
                                        };
                                    });
}

#include <windows.h>

#include "archive/formats/RarLibrary.h"

namespace kv::arc {

namespace {

struct LoadedLibrary {
    HMODULE module = nullptr;
    RarFunctions functions;
    ~LoadedLibrary() {
        if (module) FreeLibrary(module);
    }
};

template <class F>
bool bind(HMODULE module, const char* name, F& to) {
    to = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return to != nullptr;
}

}  // namespace

std::shared_ptr<const RarFunctions> LoadRarLibrary() {
    auto lib = std::make_shared<LoadedLibrary>();
    lib->module = LoadLibraryA("unrar.dll");
    if (!lib->module) return nullptr;
    RarFunctions& f = lib->functions;
    bool complete = bind(lib->module, "RAROpenArchive", f.OpenArchive) &&
                    bind(lib->module, "RARCloseArchive", f.CloseArchive) &&
                    bind(lib->module, "RARReadHeader", f.ReadHeader) &&
                    bind(lib->module, "RARProcessFile", f.ProcessFile) &&
                    bind(lib->module, "RARSetChangeVolProc", f.SetChangeVolProc) &&
                    bind(lib->module, "RARSetProcessDataProc", f.SetProcessDataProc);
    if (!complete) return nullptr;
    return std::shared_ptr<const RarFunctions>(lib, &lib->functions);
}

}  // namespace kv::arc

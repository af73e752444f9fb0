#pragma once
// Shared by the extractor fuzz targets: the input as the one archive of an in-memory
// file system, every member extracted with stored folders into discarding output
// files (capped, see CappedDiscardSink). Only E_RAISE and the silent abort may
// come out.
#include <functional>

#include "ArcFuzz.h"
#include "archive/Extractors.h"

namespace kv::arc::fuzz {

inline int ExtractAs(TArcType kind, const char* name, const std::uint8_t* data, std::size_t size,
                     const std::string& signature, Prepare prepare = nullptr,
                     const std::function<void(TUnBase&)>& setup = {}) {
    World w;
    PutInput(w, name, data, size, signature, prepare);
    std::unique_ptr<TUnBase> x = MakeExtractor(*w.context, kind);
    x->SetArchiveFile(name);
    x->SetExtractDir("C:\\OUT");
    x->UseStoredDirs = true;
    x->Passwords = {"password"};
    if (setup) setup(*x);
    x->OnBegin = [](ArchiveReader&, const std::string& fn, int, bool&) {
        // Whatever the archive says, the target stays inside the folder.
        if (!IsInsideFolder("C:\\OUT", fn)) __builtin_trap();
    };
    try {
        x->Extract();
    } catch (const E_RAISE&) {
    } catch (const EAbort&) {
    }
    return 0;
}

}  // namespace kv::arc::fuzz

// Detection of every kind, the program-file paths included (their resource
// directory is read from the input itself), then the listing.
#include "ArcFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kv::arc;
    fuzz::World w;
    for (const char* name : {"C:\\F.EXE", "C:\\F.TAR"}) {
        w.fs->files[name] = std::vector<std::uint8_t>(data, data + size);
        Detection d = DetectArcType(*w.context, name);
        if (d.type != atFileError && d.start > d.size + 7716) __builtin_trap();
        TArcLister lister(*w.context);
        lister.SetArchiveFile(name);
        lister.OnRead = [](ArchiveReader&, std::uint64_t, int) {};
        try {
            lister.Activate();
        } catch (const E_RAISE&) {
        }
    }
    return 0;
}

// Detection of every kind, the program-file paths included: the first input line
// gives up to four resource texts, the rest is the file.
#include "ArcFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kv::arc;
    fuzz::World w;
    const std::uint8_t* nl = static_cast<const std::uint8_t*>(std::memchr(data, '\n', std::min<std::size_t>(size, 32)));
    std::size_t head = nl ? static_cast<std::size_t>(nl - data) + 1 : 0;
    std::string texts(reinterpret_cast<const char*>(data), head ? head - 1 : 0);
    for (std::size_t start = 0; start <= texts.size();) {
        std::size_t comma = texts.find(',', start);
        if (comma == std::string::npos) comma = texts.size();
        w.resources->texts.push_back(texts.substr(start, comma - start));
        start = comma + 1;
    }
    for (const char* name : {"C:\\F.EXE", "C:\\F.TAR"}) {
        w.fs->files[name] = std::vector<std::uint8_t>(data + head, data + size);
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

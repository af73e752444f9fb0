// arcextract FILE OUTDIR [MASK]: extracts the members of an archive that match MASK
// (default "*.*") into OUTDIR, keeping their stored folders, with the program's own
// detection and extractors. One line per member written: the path below OUTDIR, TAB,
// its size, TAB, "CRC ok" or "CRC failed". Warnings go to standard error; a failure
// prints its message there and the exit status is 1 (also after the silent abort the
// RAR extractor ends with, its reason already printed).
#include <cstdio>
#include <string>

#include "archive/Extractors.h"
#include "tests/support/ToolCommand.h"

int main(int argc, char** argv) {
    using namespace kv::arc;
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: arcextract FILE OUTDIR [MASK]\n");
        return 2;
    }
    auto windowsForm = [](std::string p) {
        for (char& c : p)
            if (c == '/') c = '\\';
        return p;
    };
    auto context = ArchiveContext::System();
    std::string archive = windowsForm(argv[1]);
    std::string folder = windowsForm(argv[2]);
    if (folder.empty() || folder.back() != '\\') folder += '\\';

    ArchiveReader probe(*context);
    probe.SetArchiveFile(archive);
    if (probe.ArchiveFile().empty()) {
        std::fprintf(stderr, "%s\n", ArcMessage(eFileNotFound).c_str());
        return 1;
    }
    auto extractor = MakeExtractor(*context, probe.ArcType());
    if (!extractor) {
        std::fprintf(stderr, "%s\n", ArcMessage(eWrongArchiveType).c_str());
        return 1;
    }
    extractor->SetArchiveFile(archive);
    extractor->SetExtractDir(folder);
    extractor->UseStoredDirs = true;
    if (argc == 4) extractor->SetFileSpec(argv[3]);
    extractor->OnEnd = [&](ArchiveReader&, const std::string& fn, bool pass) {
        std::string name = fn.rfind(folder, 0) == 0 ? fn.substr(folder.size()) : fn;
        unsigned long long size = 0;
        try {
            size = context->FileSystem().OpenRead(fn)->size();
        } catch (const kv::Error&) {
        }
        std::printf("%s\t%llu\t%s\n", name.c_str(), size,
                    pass ? "CRC ok" : "CRC failed");
    };
    extractor->OnError = [](ArchiveReader&, const std::string& fn, const std::string&, int code) {
        std::fprintf(stderr, "%s: %s\n", fn.c_str(), ArcMessage(code).c_str());
    };
    return kv::test::RunToolCommand([&] { extractor->Extract(); });
}

// catdump FILE: prints the canonical text dump of a catalog file.
#include <cstdio>
#include <string>

#include "CatalogDump.h"
#include "base/Errors.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: catdump FILE\n");
        return 2;
    }
    std::string out;
    std::string messages;
    try {
        messages = kv::tools::DumpCatalog(kv::TReadAheadStream::Open(argv[1]), out);
    } catch (const kv::Error& e) {
        messages = std::string(e.what()) + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    if (messages.empty()) return 0;
    std::fputs(messages.c_str(), stderr);
    return 1;
}

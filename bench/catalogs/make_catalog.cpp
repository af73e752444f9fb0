// Writes one generated catalog for the benchmarks.
// Usage: make_catalog OUT [--files N] [--disks N] [--folders N] [--big N]
//                         [--small N] [--seed N] [--name TEXT]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "bench/catalogs/GeneratedCatalog.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: make_catalog OUT [--files N] [--disks N] [--folders N] [--big N] [--small N] [--seed N] "
                 "[--name TEXT]\n");
    return 2;
}

bool Number(const char* text, std::uint64_t& out) {
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || text[0] == '-')
        return false;
    out = v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    kv::bench::CatalogShape shape;
    std::string out = argv[1];
    std::string name = "Generated";
    for (int i = 2; i < argc; i += 2) {
        if (i + 1 >= argc)
            return Usage();
        const std::string option = argv[i];
        if (option == "--name") {
            name = argv[i + 1];
            continue;
        }
        std::uint64_t v = 0;
        if (!Number(argv[i + 1], v) || (option != "--seed" && v > 0xFFFFFFFFull))
            return Usage();
        const auto v32 = static_cast<std::uint32_t>(v);
        if (option == "--files") shape.files = v32;
        else if (option == "--disks") shape.disks = v32;
        else if (option == "--folders") shape.folders = v32;
        else if (option == "--big") shape.bigFolderFiles = v32;
        else if (option == "--small") shape.smallFolderFiles = v32;
        else if (option == "--seed") shape.seed = v;
        else return Usage();
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        kv::bench::WriteGeneratedCatalog(out, name, shape);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%s: %u files, %u disks, %u folders (%.1f s)\n", out.c_str(), shape.files, shape.disks,
                    shape.folders, s);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_catalog: %s\n", e.what());
        return 1;
    }
    return 0;
}

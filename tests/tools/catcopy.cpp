// catcopy IN OUT [--rewrite]: saves catalog IN as OUT through the program's save.
#include <cstdio>
#include <string>

#include "CatalogCopy.h"

int main(int argc, char** argv) {
    const bool rewrite = argc == 4 && std::string(argv[3]) == "--rewrite";
    if (argc != 3 && !rewrite) {
        std::fprintf(stderr, "usage: catcopy IN OUT [--rewrite]\n");
        return 2;
    }
    std::string messages;
    const kv::SaveResult result = kv::tools::CopyCatalog(argv[1], argv[2], rewrite, messages);
    std::fputs(messages.c_str(), stderr);
    return result == kv::SaveResult::Saved ? 0 : 1;
}

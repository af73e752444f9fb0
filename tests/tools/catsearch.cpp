// catsearch CATALOG... [criteria]: searches catalogs with the program's engine.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "CatalogSearch.h"
#include "base/Errors.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string out;
    std::size_t hits = 0;
    try {
        hits = kv::tools::SearchCatalogs(kv::tools::ParseSearchArguments(args), out);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "catsearch: %s\n", e.what());
        std::fputs("usage: catsearch CATALOG... [--all|--any] [--what files,folders,disks] [--name MODE:TEXT] "
                   "[--case] [--no-archives] [--desc any|none|text:TEXT] [--size REL:X1[:X2]:UNIT] "
                   "[--date FIELD:REL:YYYY-MM-DD[:YYYY-MM-DD]] [--category NAME]... [--max N] "
                   "[--duplicates name,size,date,attr]\n",
                   stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "catsearch: %s\n", e.what());
        return 2;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return hits > 0 ? 0 : 1;
}

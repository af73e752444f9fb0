// catcompare CATALOG DISKNAME FOLDER: compares a catalogued disk with a folder.
#include <cstdio>
#include <string>
#include <vector>

#include "CatalogCompare.h"

int main(int argc, char** argv) {
    std::string out;
    std::string err;
    const int status = kv::tools::CompareCatalogDisk(std::vector<std::string>(argv + 1, argv + argc), out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputs(err.c_str(), stderr);
    return status;
}

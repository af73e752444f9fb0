// The file check (Compare Files To Catalog) of a folder against a whole
// catalog, timed beside what it cannot do without: opening the catalog and
// reading every folder and file list of it. bench/check-vs-find adds the time
// `find` takes to list the folder.
//   check_files CATALOG FOLDER               prints "load N ms, check N ms, ..."
//   check_files CATALOG FOLDER --make N      writes N empty files into FOLDER:
//                                            every other one named after a file
//                                            of the catalog, the rest unknown
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/Forest.h"
#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"
#include "search/compare/CompareEngine.h"
#include "system/files/FileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Every folder and file list of the branch, read from the catalog file.
void LoadAll(kv::Node& node, const std::function<void(kv::Node&)>& each) {
    kv::LoadSubfolders(&node);
    kv::LoadFileList(&node);
    each(node);
    for (const auto& child : node.children())
        LoadAll(*child, each);
}

int MakeFolder(const std::string& catalogFile, const std::string& folder, std::size_t count) {
    kv::Forest forest;
    kv::Node* catalog = kv::ReadCatalogFile(forest, catalogFile);
    std::vector<std::string> names;
    LoadAll(*catalog, [&](kv::Node& node) {
        if (auto* owner = kv::RecordAs<kv::FileOwnerRecord>(node.record()))
            for (const kv::TFileRec& f : owner->files)
                names.emplace_back(f.name());
    });
    if (names.empty()) {
        std::fprintf(stderr, "check_files: %s lists no files\n", catalogFile.c_str());
        return 2;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name =
            i % 2 == 0 ? names[(i / 2) * 7919 % names.size()] : "unknown " + std::to_string(i) + ".dat";
        std::ofstream(folder + "/" + name, std::ios::binary);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--make")) {
        std::fprintf(stderr, "usage: check_files CATALOG FOLDER [--make N]\n");
        return 2;
    }
    const std::string catalogFile = argv[1];
    const std::string folder = argv[2];
    try {
        if (argc == 5)
            return MakeFolder(catalogFile, folder, std::strtoul(argv[4], nullptr, 10));

        std::size_t files = 0;
        Clock::time_point start = Clock::now();
        {
            kv::Forest forest;
            LoadAll(*kv::ReadCatalogFile(forest, catalogFile), [&](kv::Node& node) {
                if (auto* owner = kv::RecordAs<kv::FileOwnerRecord>(node.record()))
                    files += owner->files.size();
            });
        }
        const double load = MillisecondsSince(start);

        start = Clock::now();
        kv::CompareResults results;
        {
            kv::Forest forest;
            kv::Node* catalog = kv::ReadCatalogFile(forest, catalogFile);
            std::unique_ptr<kv::IFileSystem> system = kv::MakeSystemFileSystem();
            kv::CompareEngine engine(*system, {});
            results = engine.CheckFilesAgainstCatalog({catalog}, folder + "/", false, kv::CheckKeys{});
            results.Pins.clear();
        }
        const double check = MillisecondsSince(start);
        std::printf("load %.0f ms, check %.0f ms (%zu catalogued files; %zu new, %zu found, %zu found but changed)\n",
                    load, check, files, results.Count(0), results.Count(1), results.Count(2));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "check_files: %s\n", e.what());
        return 2;
    }
    return 0;
}

#include "CatalogCompare.h"

#include <exception>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/Forest.h"
#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"
#include "search/compare/CompareEngine.h"

namespace kv::tools {

namespace {

std::string relativeTo(const std::string& root, const std::string& folder) {
    std::string rest = folder.substr(std::min(root.size(), folder.size()));
    for (char& c : rest)
        if (c == '/')
            c = '\\';
    if (rest.empty() || rest.front() != '\\')
        rest.insert(rest.begin(), '\\');
    return rest;
}

}  // namespace

int CompareCatalogDisk(const std::vector<std::string>& args, std::string& out, std::string& err) {
    if (args.size() != 3) {
        err = "usage: catcompare CATALOG DISKNAME FOLDER\n";
        return 2;
    }
    const std::string& folder = args[2];
    std::unique_ptr<IFileSystem> files = MakeSystemFileSystem();
    Forest forest;
    Node* catalog = nullptr;
    try {
        catalog = ReadCatalogFile(forest, *files, args[0]);
    } catch (const std::exception& e) {
        err = "catcompare: " + args[0] + ": " + e.what() + "\n";
        return 2;
    }
    Node* disk = nullptr;
    for (const auto& child : catalog ? catalog->children() : std::span<const std::unique_ptr<Node>>())
        if (child->text() == args[1])
            disk = child.get();
    if (!disk) {
        err = "catcompare: no disk named \"" + args[1] + "\" in " + args[0] + "\n";
        return 2;
    }
    CompareResults results;
    try {
        CompareEngine engine(*files, {});
        const std::string root = folder.ends_with('/') || folder.ends_with('\\') ? folder : folder + "\\";
        results = engine.CompareToMedia(*disk, root);
        for (const TMediaFileEntry& e : results.NewEntries) {
            std::string path = relativeTo(root, results.FolderPaths[e.FolderIndex]);
            if (path.back() != '\\')
                path += '\\';
            out += "new\t" + path + e.Name + "\n";
        }
        for (const ItemHead* rec : results.Lists[kCategoryChanged]) {
            const std::string path = CompareItemPath(*rec, false);
            const std::string real = root + path.substr(1);
            const CompareDifference diff =
                DifferenceOf(*rec, files->FileSize(real).value_or(0), files->FileDosDate(real).value_or(0));
            std::string what = diff.size ? "size" : "";
            if (diff.date)
                what += what.empty() ? "date" : ",date";
            out += "changed\t" + path + "\t" + what + "\n";
        }
        for (const ItemHead* rec : results.Lists[kCategoryDeleted])
            out += "deleted\t" + CompareItemPath(*rec, false) + "\n";
    } catch (const std::exception& e) {
        err = std::string("catcompare: ") + e.what() + "\n";
        return 2;
    }
    const bool differs = results.Count(kCategoryNew) + results.Count(kCategoryChanged) + results.Count(kCategoryDeleted) > 0;
    return differs ? 1 : 0;
}

}  // namespace kv::tools

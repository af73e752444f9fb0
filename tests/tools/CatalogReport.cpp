#include "CatalogReport.h"

#include <chrono>
#include <ctime>
#include <stdexcept>

#include "system/SystemCaseMap.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/Forest.h"
#include "search/reports/CustomTree.h"
#include "search/reports/ReportSort.h"
#include "search/reports/ReportText.h"
#include "shell/browse/ListReportCells.h"

namespace kv::tools {

namespace {

bool SameText(std::string_view a, std::string_view b) { return compareNoCase(a, b, systemCaseMap()) == 0; }

CustomTreeNode* FindFolder(CustomTree& tree, CustomTreeNode& catalog, const std::string& path) {
    CustomTreeNode* at = &catalog;
    std::string_view rest = path;
    while (!rest.empty()) {
        const std::size_t sep = rest.find('\\');
        const std::string_view name = rest.substr(0, sep);
        rest = sep == std::string_view::npos ? std::string_view() : rest.substr(sep + 1);
        if (name.empty())
            continue;
        tree.Expand(*at);
        CustomTreeNode* next = nullptr;
        for (auto& child : at->children)
            if (!next && child->source->text() == name)
                next = child.get();
        for (auto& child : at->children)
            if (!next && SameText(child->source->text(), name))
                next = child.get();
        if (!next)
            throw std::invalid_argument("no folder \"" + path + "\" in the catalog");
        at = next;
    }
    return at;
}

}  // namespace

ReportRequest ParseReportArguments(int argc, char** argv) {
    ReportRequest r;
    std::vector<std::string> plain;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--folder") {
            if (i + 1 >= argc)
                throw std::invalid_argument("--folder needs a path");
            r.folder = argv[++i];
        } else if (a.starts_with("--")) {
            throw std::invalid_argument("unknown option " + a);
        } else {
            plain.push_back(a);
        }
    }
    if (plain.size() != 2)
        throw std::invalid_argument("give a catalog and an output file");
    r.catalog = plain[0];
    r.output = plain[1];
    return r;
}

std::string CatalogReportText(const ReportRequest& request) {
    Forest forest;
    Node* catalog = ReadCatalogFile(forest, request.catalog);
    CustomTree tree;
    CustomTreeNode& root = tree.AddCatalog(*catalog);
    CustomTreeNode* selected = request.folder ? FindFolder(tree, root, *request.folder) : &root;
    // "Expand all levels", then "Include files in all levels" from the selected node.
    tree.ExpandLevels(*selected, kAllLevels);
    tree.SetFilesState(*selected, true, kAllLevels);

    ReportRun run;
    run.rows = tree.CollectCustomReportItems(selected);
    SortItemsBySource(run.rows);
    run.columns = AllReportColumns(UserListColumns());
    run.sorted = true;
    run.title = "Custom Report";
    CellContext context;
    const ListReportCells cells(ItemListKind::UserList, context);
    ReportTextOptions options;
    options.timestamp = request.timestamp;
    std::string text;
    ExportReportToText(run, cells, options, [&](std::string_view piece) { text.append(piece); });
    return text;
}

std::string TimestampNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d, %H:%M:%S", &local);
    return buffer;
}

}  // namespace kv::tools

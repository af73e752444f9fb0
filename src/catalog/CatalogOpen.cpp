#include "catalog/CatalogOpen.h"

#include <filesystem>
#include <system_error>

#include "base/Errors.h"
#include "catalog/file/CatalogLoad.h"

namespace kv {

namespace {

bool IsOpen(CatalogOpenServices& s, const std::string& normalised) {
    for (const auto& root : s.forest.roots()) {
        auto* catalog = RecordAs<TCatalogRec>(root->record());
        if (catalog && !catalog->fileName.empty() && s.normalisePath(catalog->fileName) == normalised) return true;
    }
    return false;
}

bool DefaultFileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void CloseProgress(CatalogOpenServices& s) {
    if (s.progress.waitWindowExists()) s.progress.closeWaitWindow();
}

}  // namespace

std::string NormaliseCatalogPath(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(path, ec);
    if (ec) p = path;
    std::string s = p.lexically_normal().string();
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

Node* OpenCatalogFiles(CatalogOpenServices& s, std::optional<std::vector<std::string>> files) {
    const bool given = files.has_value();
    if (!given) files = s.dialog.askCatalogFiles();
    if (!files || files->empty()) return nullptr;
    if (!s.normalisePath) s.normalisePath = NormaliseCatalogPath;
    if (!s.fileExists) s.fileExists = DefaultFileExists;

    std::vector<std::string>& list = *files;
    const std::string plural = list.size() > 1 ? "s" : "";
    if (s.showStatus) s.showStatus("Loading catalog" + plural + "...");
    bool openedProgress = false;
    Node* last = nullptr;

    for (std::size_t i = 0; i < list.size();) {
        const std::string name = list[i];
        if (IsOpen(s, s.normalisePath(name))) {
            if (!given && list.size() == 1) {
                CloseProgress(s);
                s.prompt.showInformation("Catalog file \"" + name + "\" is already opened.", "Catalog is opened");
            }
            ++i;
            continue;
        }
        if (!given && !s.progress.waitWindowExists()) {
            s.progress.showWaitWindow("Loading catalog" + plural + ", please wait...", false, false);
            openedProgress = true;
        }
        try {
            Node* catalog = ReadCatalogFile(s.forest, name);
            if (!given) s.recent.putFirst(name);
            if (s.tree) s.tree->expand(*catalog);
            last = catalog;
        } catch (const EInvalidCatalog& e) {
            CloseProgress(s);
            s.prompt.showError(name + "\n\r" + e.what(), "Catalog error");
            if (given) s.autoLoad.remove(name);
            s.recent.remove(name);
        } catch (const Error& e) {
            CloseProgress(s);
            s.recent.remove(name);
            if (!s.fileExists(name)) {
                s.prompt.showError("Can't open catalog file " + name + ".\rThis file does not exist.", "Load error");
                s.autoLoad.remove(name);
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            s.prompt.showError("An error occured while trying to load catalog file " + name + ".\r" + e.what(),
                               "Load error");
        }
        ++i;
    }

    if (last && s.tree) s.tree->select(last);
    if (last && s.catalogsOpened) s.catalogsOpened();
    if (s.showStatus) s.showStatus("");
    if (openedProgress) CloseProgress(s);
    return last;
}

}  // namespace kv

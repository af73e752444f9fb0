#include "catalog/CatalogOpen.h"

#include <exception>
#include <new>

#include "base/Errors.h"
#include "catalog/file/CatalogLoad.h"

namespace kv {

namespace {

bool IsOpen(CatalogOpenServices& s, const std::string& name) {
    for (const auto& root : s.forest.roots()) {
        auto* catalog = RecordAs<TCatalogRec>(root->record());
        if (catalog && !catalog->fileName.empty() && s.files.SamePath(catalog->fileName, name)) return true;
    }
    return false;
}

void CloseProgress(CatalogOpenServices& s) {
    if (s.progress.waitWindowExists()) s.progress.closeWaitWindow();
}

// The text the load error shows for a failure that is not the catalog's own.
std::string FailureText(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

}  // namespace

Node* OpenCatalogFiles(CatalogOpenServices& s, std::optional<std::vector<std::string>> files) {
    const bool given = files.has_value();
    if (!given) files = s.dialog.askCatalogFiles();
    if (!files || files->empty()) return nullptr;

    std::vector<std::string>& list = *files;
    const std::string plural = list.size() > 1 ? "s" : "";
    if (s.showStatus) s.showStatus("Loading catalog" + plural + "...");
    if (s.processMessages) s.processMessages();
    bool openedProgress = false;
    Node* last = nullptr;

    // Whatever fails, the progress window goes and the windows and status come back.
    auto finish = [&] {
        if (s.updateCommands) s.updateCommands();
        if (s.showStatus) s.showStatus("");
        if (openedProgress) CloseProgress(s);
    };
    try {
        for (std::size_t i = 0; i < list.size();) {
            const std::string name = list[i];
            if (IsOpen(s, name)) {
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
            Node* catalog = nullptr;
            std::exception_ptr failure;
            try {
                catalog = ReadCatalogFile(s.forest, s.files, name);
                if (!given) s.recent.putFirst(name);
                if (s.tree) s.tree->expand(*catalog);
                last = catalog;
                ++i;
                continue;
            } catch (const EInvalidCatalog& e) {
                CloseProgress(s);
                s.prompt.showError(name + "\n\r" + e.what(), "Catalog error");
                if (given) s.autoLoad.remove(name);
                s.recent.remove(name);
                ++i;
                continue;
            } catch (const EAbort&) {
                if (catalog) s.forest.remove(*catalog);
                CloseProgress(s);
                ++i;
                continue;
            } catch (...) {
                failure = std::current_exception();
            }
            // A catalog that failed after it was read is not kept half set up.
            if (catalog) s.forest.remove(*catalog);
            CloseProgress(s);
            s.recent.remove(name);
            if (!s.files.Exists(name)) {
                s.prompt.showError("Can't open catalog file " + name + ".\rThis file does not exist.", "Load error");
                s.autoLoad.remove(name);
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            s.prompt.showError("An error occured while trying to load catalog file " + name + ".\r" +
                                   FailureText(failure),
                               "Load error");
            ++i;
        }
        if (last && s.tree) s.tree->select(last);
        if (last && s.catalogsOpened) s.catalogsOpened();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return last;
}

}  // namespace kv

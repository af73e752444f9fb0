#pragma once
// Opening a list of catalog files into the catalog tree, with the messages, the
// progress window and the recently-used and auto-load lists of the program.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalog/model/Forest.h"
#include "catalog/model/TreeViewPort.h"
#include "system/files/FileSystem.h"
#include "ui/WaitProgress.h"
#include "ui/UserPrompt.h"

namespace kv {

// The Open dialog for catalogs: the chosen files, nullopt when cancelled.
class CatalogFileDialog {
public:
    virtual ~CatalogFileDialog() = default;
    virtual std::optional<std::vector<std::string>> askCatalogFiles() = 0;
};

// The recently-used list of catalog files.
class RecentCatalogs {
public:
    virtual ~RecentCatalogs() = default;
    virtual void putFirst(const std::string& fileName) = 0;
    virtual void remove(const std::string& fileName) = 0;
};

// The settings' list of catalogs opened at start.
class AutoLoadList {
public:
    virtual ~AutoLoadList() = default;
    // Drops the name when it is in the list (and marks the settings modified then).
    virtual void remove(const std::string& fileName) = 0;
};

struct CatalogOpenServices {
    Forest& forest;
    ui::UserPrompt& prompt;
    WaitProgress& progress;
    CatalogFileDialog& dialog;
    RecentCatalogs& recent;
    AutoLoadList& autoLoad;
    // Opens the catalogs (others may read an open catalog but not write it), tells
    // whether two names reach one file and whether a file exists.
    IFileSystem& files;
    TreeViewPort* tree = nullptr;
    // The status bar text; empty = idle.
    std::function<void(const std::string&)> showStatus;
    // Lets the busy status paint before the loading holds the thread.
    std::function<void()> processMessages;
    // After catalogs were opened: the search window's scope tree and categories.
    std::function<void()> catalogsOpened;
    // At the end of every open, whether a catalog opened or not.
    std::function<void()> updateCommands;
};

// Opens the files in order; nullopt asks with the Open dialog, an empty list does nothing.
// A file that is already open is skipped (with a message only when the dialog chose that
// one file); a file that fails to load leaves nothing in the tree. Returns the last catalog
// opened, nullptr when none.
Node* OpenCatalogFiles(CatalogOpenServices& services, std::optional<std::vector<std::string>> files);

}  // namespace kv

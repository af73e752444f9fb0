#pragma once
// The catalog commands of the main window: new, open, the recently-used list,
// save and save as, close, close all and deleting disks, over the open-catalog
// life cycle. Each refuses while a search runs, as its table row says.
#include <cstdint>
#include <functional>
#include <string>

#include "catalog/CatalogLifeCycle.h"
#include "catalog/file/CatalogSave.h"
#include "shell/commands/CommandIds.h"
#include "shell/commands/TextInput.h"

namespace kv {

struct CatalogCommandServices {
    CatalogCommandServices(LifeCycleServices& lifeCycleServices, SaveEnvironment& saveEnvironment, TextInput& input,
                           CatalogOpenQueue& queue)
        : lifeCycle(lifeCycleServices), saving(saveEnvironment), textInput(input), openQueue(queue) {}

    LifeCycleServices& lifeCycle;
    SaveEnvironment& saving;
    TextInput& textInput;
    CatalogOpenQueue& openQueue;
    std::function<bool()> searchRunning;
    // UpdateCommands with CommandGroup bits.
    std::function<void(std::uint8_t groups)> updateCommands;
    // ResortList(True) after catalogs were opened.
    std::function<void()> resortList;
    // The images of a catalog node.
    int catalogImage = 0;
    // The tree takes the focus.
    std::function<void()> focusTree;
    // The tree's selection changed under the window (a direct DBTreeChange).
    std::function<void()> treeSelectionChanged;
};

// "Catalog" + the lowest n from 1 that no open catalog is named exactly.
std::string NextDefaultCatalogName(const Forest& forest);

// Asks for a name and adds an empty catalog; nothing on Cancel or an empty name.
Node* NewCatalog(CatalogCommandServices& services);

// The Open dialog, then the catalogs chosen.
void OpenCatalogs(CatalogCommandServices& services);
// A recently-used entry.
void OpenRecentCatalog(CatalogCommandServices& services, const std::string& fileName);

// SaveCatalog that tells the user why a save was refused (a search or another save running).
SaveResult SaveCatalogTelling(Node* catalogNode, bool saveAs, SaveEnvironment& env);
// Save or Save As of the catalog of the selected node; nothing without a selection.
SaveResult SaveSelectedCatalog(CatalogCommandServices& services, bool saveAs);

// False (after telling why) while a search runs.
bool CanCloseCatalogs(CatalogCommandServices& services);
// The tree popup closes the selected node's catalog, every other source the
// catalog above the selection.
void CloseSelectedCatalog(CatalogCommandServices& services, CommandSource source);
void CloseEveryCatalog(CatalogCommandServices& services);
// Del on a catalog node: closes the selected catalog after an OK.
void AskCloseSelectedCatalog(CatalogCommandServices& services);

// Refused while a search runs; otherwise the OK/Cancel question.
bool ConfirmDeleteDisk(CatalogCommandServices& services, const Node& diskNode);
// The selected disk node of the tree; false when nothing was deleted.
bool DeleteSelectedDisk(CatalogCommandServices& services);
// The disk of a row of the disk list shown for the selected catalog.
bool DeleteListedDisk(CatalogCommandServices& services, const ItemHead* row);

}  // namespace kv

#include "shell/commands/SearchRefusal.h"

#include "catalog/file/CatalogSave.h"
#include "ui/UserPrompt.h"

namespace kv {

RefusalText RefusalMessage(Refusal refusal) {
    switch (refusal) {
    case Refusal::UpdateData:
        return {"Can't Update Data",
                "Sorry, updating catalog is not possible while search is in progress.\r"
                "Please cancel the search or wait for search to finish."};
    case Refusal::OpenCatalog:
        return {"Can't Open Catalog",
                "Sorry, opening catalog is not possible while search is in progress.\r"
                "Please cancel the search or wait for search to finish."};
    case Refusal::SaveCatalog: {
        SaveRefusalMessage save = RefusalMessage(SaveRefusal::SearchRunning);
        return {save.caption, save.text};
    }
    case Refusal::CloseCatalog:
        return {"Can't close catalog",
                "You can not close catalog(s) because search for files is in progress.\r"
                "Please cancel the search or wait for search to finish."};
    case Refusal::RemoveDisk:
        return {"Can't remove disk",
                "Sorry, removing disk is not allowed while search is in progress.\r"
                "Please cancel the search or wait for search to finish."};
    case Refusal::None:
        break;
    }
    return {"", ""};
}

bool RefusedDuringSearch(Refusal refusal, bool searchRunning, ui::UserPrompt& prompt) {
    if (!searchRunning || refusal == Refusal::None)
        return false;
    RefusalText message = RefusalMessage(refusal);
    prompt.showInformation(message.text, message.caption);
    return true;
}

}  // namespace kv

#include "CatalogCopy.h"
#include "ToolSave.h"

#include "base/Errors.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/model/Forest.h"

namespace kv::tools {

SaveResult CopyCatalog(const std::string& in, const std::string& out, bool rewrite, std::string& messages) {
    Forest forest;
    Node* catalog = nullptr;
    try {
        catalog = ReadCatalogFile(forest, in);
        if (rewrite) {
            for (const auto& disk : catalog->children()) {
                LoadFileList(disk.get());
                LoadSubfolders(disk.get(), true, true);
                SetDiskModified(*disk, true);
            }
        }
    } catch (const Error& e) {
        messages += std::string(e.what()) + "\n";
        return SaveResult::Failed;
    }
    std::unique_ptr<IFileSystem> fs = MakeSystemFileSystem();
    CollectingPrompt prompt(messages);
    FixedName dialog(out);
    SaveEnvironment env(*fs, prompt, dialog);
    return SaveCatalog(catalog, true, env);
}

}  // namespace kv::tools

#include "CatalogCopy.h"

#include "base/Errors.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/model/Forest.h"

namespace kv::tools {

namespace {

// Prints what would be a message box; answers as a closed box would.
class CollectingPrompt : public ui::UserPrompt {
public:
    explicit CollectingPrompt(std::string& messages) : messages_(messages) {}
    ui::PromptAnswer ask(const ui::PromptRequest& request) override {
        for (char c : request.text)
            messages_ += c == '\r' ? '\n' : c;
        messages_ += '\n';
        return ui::cautiousAnswer(request.buttons);
    }

private:
    std::string& messages_;
};

class FixedName : public ISaveDialog {
public:
    explicit FixedName(std::string name) : name_(std::move(name)) {}
    std::optional<std::string> askSaveName(const Request&) override {
        if (asked_)
            return std::nullopt;
        asked_ = true;
        return name_;
    }

private:
    std::string name_;
    bool asked_ = false;
};

}  // namespace

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

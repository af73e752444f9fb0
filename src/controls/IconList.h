#pragma once
// The icon cache: every item kind, drive kind and file extension gets an icon
// in the two shared image lists; an extension is looked up once.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "ui/IconImageList.h"
#include "controls/IconRules.h"

namespace kv {

class TIconList {
public:
    // Fills the lists with the shell's icons and the program's own (from
    // `resources`, the module whose icon groups they are).
    TIconList(TIconImageList& small, TIconImageList& large, HINSTANCE resources);
    ~TIconList();
    TIconList(const TIconList&) = delete;
    TIconList& operator=(const TIconList&) = delete;

    const ItemIcons& icons() const { return icons_; }
    int AddIcon(const std::string& fileName) { return cache_->addIcon(fileName); }
    std::optional<int> FindExt(const std::string& ext) const { return cache_->findExt(ext); }
    std::string TypeName(const std::string& ext) const { return cache_->typeName(ext); }
    int GetDriveIcon(std::uint8_t mediaType, std::uint8_t flags) const {
        return kv::GetDriveIcon(icons_, mediaType, flags);
    }

private:
    class ShellResolver;
    // Adds both sizes of one picture; the index, the same in both lists.
    int addPair(HICON small, HICON large);
    // Adds and destroys both; a stand-in when either is missing. Never fails.
    int addOwnedPair(HICON small, HICON large);
    int addShellIcon(int number);
    int addResourceIcon(HINSTANCE module, int id);

    TIconImageList& small_;
    TIconImageList& large_;
    ItemIcons icons_;
    std::unique_ptr<ShellResolver> resolver_;
    std::unique_ptr<ExtensionIconCache> cache_;
};

// Extracts icon `index` of file (a negative index is a resource id) in both
// sizes; false when the file has no such icon.
bool ExtractIconPair(const std::string& file, int index, HICON& small, HICON& large);

}  // namespace kv

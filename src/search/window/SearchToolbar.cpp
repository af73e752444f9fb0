#include "search/window/SearchToolbar.h"

namespace kv {

namespace {

using A = FoundAction;

constexpr SearchButton kButtons[] = {
    {"ButtonLargeIcon", 1, "View Large Icons", "ButtonLargeIcon", 5024, A::None, 1},
    {"ButtonList", 2, "View List", "ButtonList", 5024, A::None, 2},
    {"ButtonSmallIcon", 3, "View Small Icons", "ButtonSmallIcon", 5024, A::None, 3},
    {"ButtonDetails", 4, "View Details", "ButtonDetails", 5024, A::None, 4},
    {"BtnReport", 6, "Generate Report", "ButtonPrint", 5006, A::Report, 0},
    {"BtnTarget", 8, "Locate in Catalog", "BtnTarget", 5052, A::Locate, 0},
    {"BtnEditDesc", 9, "Edit Description", "ButtonEditDesc", 5020, A::EditDesc, 0},
    {"BtnProperties", 10, "Item Properties", "ButtonProperties", 5021, A::Properties, 0},
    {"BtnSetCat", 11, "Set Category and Flags", "ButtonSetCat", 5019, A::SetCategory, 0},
    {"BtnExplorer", 12, "Open in Explorer", "ButtonExplorer", 5014, A::Explorer, 0},
    {"BtnView", 13, "View File in ASCII Viewer", "ButtonView", 5015, A::View, 0},
    {"BtnLaunch", 14, "Launch File in Associated Program", "ButtonLaunch", 5016, A::Launch, 0},
    {"BtnCopyTo", 15, "Copy from Catalog to...", "ButtonCopyTo", 5051, A::CopyTo, 0},
    {"BtnExtract", 16, "Extract from Compressed File", "ButtonExtract", 5017, A::Extract, 0},
    {"BtnAddList", 17, "Add to User List", "ButtonAddList", 5018, A::AddList, 0},
    {"BtnDelete", 19, "Remove from List", "BtnDelete", 5053, A::Remove, 0},
    {"BtnClear", 20, "Remove all items", "BtnClear", 5054, A::Clear, 0},
    {"BtnStayOnTop", 22, "Stay On Top", "BtnStayOnTop", 5055, A::None, 0},
    {"BtnMaximize", 23, "Maximize Found List", "BtnMaximize", 5056, A::None, 0},
    {"BtnHelp", 24, "What Is This?", "ButtonHelp", 5037, A::None, 0},
};

constexpr int kBevels[] = {5, 7, 18, 21};

}  // namespace

std::span<const SearchButton> SearchToolbarButtons() { return kButtons; }

std::span<const int> SearchToolbarBevelTags() { return kBevels; }

const SearchButton* FindSearchButton(std::string_view name) {
    for (const SearchButton& b : kButtons)
        if (name == b.name)
            return &b;
    return nullptr;
}

unsigned long SearchButtonHelpContext(std::string_view name) {
    const SearchButton* b = FindSearchButton(name);
    return b ? b->helpContext : 0;
}

}  // namespace kv

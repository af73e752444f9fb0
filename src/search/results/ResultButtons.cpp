#include "search/results/ResultButtons.h"

namespace kv {

namespace {

using A = FoundAction;

constexpr SearchButton kButtons[] = {
    {"ButtonLargeIcon", 1, "View Large Icons", "ButtonLargeIcon", 0, A::None, 1},
    {"ButtonList", 2, "View List", "ButtonList", 0, A::None, 2},
    {"ButtonSmallIcon", 3, "View Small Icons", "ButtonSmallIcon", 0, A::None, 3},
    {"ButtonDetails", 4, "View Details", "ButtonDetails", 0, A::None, 4},
    {"BtnReport", 6, "Generate Report", "ButtonPrint", 0, A::Report, 0},
    {"BtnTarget", 8, "Locate in Catalog", "BtnTarget", 0, A::Locate, 0},
    {"BtnEditDesc", 9, "Edit Description", "ButtonEditDesc", 0, A::EditDesc, 0},
    {"BtnProperties", 10, "Item Properties", "ButtonProperties", 0, A::Properties, 0},
    {"BtnSetCat", 11, "Set Category and Flags", "ButtonSetCat", 0, A::SetCategory, 0},
    {"BtnExplorer", 12, "Open in Explorer", "ButtonExplorer", 0, A::Explorer, 0},
    {"BtnView", 13, "View File in ASCII Viewer", "ButtonView", 0, A::View, 0},
    {"BtnLaunch", 14, "Launch File in Associated Program", "ButtonLaunch", 0, A::Launch, 0},
    {"BtnCopyTo", 15, "Copy from Catalog to...", "ButtonCopyTo", 0, A::CopyTo, 0},
    {"BtnExtract", 16, "Extract from Compressed File", "ButtonExtract", 0, A::Extract, 0},
};

}  // namespace

std::span<const SearchButton> ItemActionButtons() { return kButtons; }

std::vector<SearchButton> WithItemActionButtons(std::span<const SearchButton> own) {
    std::vector<SearchButton> all(std::begin(kButtons), std::end(kButtons));
    all.insert(all.end(), own.begin(), own.end());
    return all;
}

}  // namespace kv

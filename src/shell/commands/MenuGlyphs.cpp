#include "shell/commands/MenuGlyphs.h"

#include <initializer_list>

namespace kv {

namespace {

struct GlyphRow {
    const char* glyph;  // "M." main, "S." search, "U." user-list window button; "R1".."R6" menu pictures
    std::initializer_list<const char*> items;
};

const GlyphRow kRows[] = {
    {"R4", {"GenericMRUItem"}},
    {"M.ButtonNew", {"MenuNewCat", "TreeMenuAddCat"}},
    {"M.ButtonOpen", {"MenuOpen", "TreeMenuOpenCat"}},
    {"M.ButtonSave", {"MenuSave", "TreeMenuSaveCat"}},
    {"M.ButtonSearch", {"MenuSearch"}},
    {"M.ButtonUserList", {"MenuUserList"}},
    {"M.ButtonAddList", {"MenuAddUser", "TreeMenuAddList", "ListMenuAddList", "SearchAddListMenu", "CompareAddListMenu"}},
    {"M.ButtonPrint", {"MenuReportGen"}},
    {"M.ButtonEditDesc", {"MenuEditDesc", "TreeMenuDescription", "ListMenuDescription", "SearchEditDescMenu",
                          "UserEditDescMenu", "CompareEditDescMenu"}},
    {"M.ButtonExplorer", {"MenuOpenExplorer", "TreeMenuOpenExplorer", "ListMenuOpenExplorer", "SearchExplorerMenu",
                          "UserExplorerMenu", "CompareExplorerMenu"}},
    {"M.ButtonView", {"MenuViewFile", "TreeMenuViewFile", "ListMenuViewFile", "SearchViewMenu", "UserViewMenu",
                      "CompareViewMenu"}},
    {"M.ButtonLaunch", {"MenuLaunchFile", "TreeMenuLaunchFile", "ListMenuLaunchFile", "SearchLaunchMenu",
                        "UserLaunchMenu", "CompareLaunchMenu"}},
    {"M.ButtonCopyTo", {"MenuCopyTo", "TreeMenuCopyTo", "ListMenuCopyTo", "SearchCopyToMenu", "UserCopyToMenu",
                        "CompareCopyToMenu"}},
    {"M.ButtonExtract", {"MenuExtractTo", "TreeMenuExtractTo", "ListMenuExtractTo", "SearchExtractMenu",
                         "UserExtractMenu", "CompareExtractMenu"}},
    {"M.ButtonAddDisk", {"MenuAddDisk", "TreeMenuNewDisk", "TreeMenuUpdateDisk", "ListMenuUpdateDisk", "DiskUpdateMenu"}},
    {"M.ButtonCompare", {"MenuCompare", "TreeMenuCompare", "ListMenuCompare"}},
    {"R6", {"MenuCheckCat"}},
    {"M.ButtonProperties", {"MenuProperties", "TreeMenuProperties", "ListMenuProperties", "DiskPropertiesMenu",
                            "SearchPropertiesMenu", "UserPropertiesMenu", "ComparePropertiesMenu"}},
    {"M.ButtonReverseSort", {"MenuReverseSort"}},
    {"M.ButtonBack", {"MenuBackLevel"}},
    {"R5", {"MenuSetupWizard"}},
    {"R1", {"MenuSettingsInterface", "MenuSettings", "MenuSettingsToolbar", "MenuSettingsImage", "MenuSettingsFonts",
            "MenuSettingsExtract", "MenuSettingsDesc", "MenuSettingsAutoload"}},
    {"R4", {"MenuCatManager", "TreeMenuCatManager"}},
    {"R2", {"MenuCatalogInfo"}},
    {"M.ButtonHelp", {"MenuWhatIsHelp"}},
    {"R3", {"MenuTips"}},
    {"M.ButtonSetCat", {"MenuSetCat", "TreeMenuSetCat", "ListMenuSetCat", "SearchSetCatMenu", "UserSetCatMenu",
                        "CompareSetCatMenu"}},
    {"S.BtnTarget", {"SearchLocateMenu", "CompareLocateMenu"}},
    {"S.BtnDelete", {"SearchRemoveMenu"}},
    {"U.BtnTarget", {"UserLocateMenu"}},
    {"U.BtnDelete", {"UserRemoveMenu"}},
};

constexpr const char* kPictures[] = {"MENUPICT1", "MENUPICT2", "MENUPICT3", "MENUPICT4", "MENUPICT5", "MENUPICT6"};

MenuGlyph glyphOf(std::string_view ref) {
    if (ref.size() == 2 && ref[0] == 'R' && ref[1] >= '1' && ref[1] <= '6')
        return {GlyphSource::MenuPicture, kPictures[ref[1] - '1']};
    const GlyphSource source = ref[0] == 'S' ? GlyphSource::SearchButton
                               : ref[0] == 'U' ? GlyphSource::UserListButton
                                               : GlyphSource::MainButton;
    return {source, ref.substr(2)};
}

}  // namespace

std::optional<MenuGlyph> FindMenuGlyph(std::string_view itemName, int tag) {
    if (tag == kRecentFileTag)
        return glyphOf(kRows[0].glyph);
    if (itemName.empty())
        return std::nullopt;
    for (const GlyphRow& row : kRows) {
        for (const char* name : row.items) {
            if (itemName == name)
                return glyphOf(row.glyph);
        }
    }
    return std::nullopt;
}

}  // namespace kv

#include "shell/setup/OptionsRules.h"

#include <cstdlib>

#include "base/text/Wildcard.h"

namespace kv {

OptionsEnabling EnablingFor(const Settings& s, const OptionsListState& lists) {
    OptionsEnabling e;
    e.autohide = e.descWait = s.descTips;
    e.descHide = s.descTips && s.autohideTips;
    e.viewerPath = s.externalViewer;
    e.descMaxLevels = s.descAssistSubfolders;
    e.descAdd = !lists.descEditEmpty;
    e.descListButtons = lists.descPatternCount > 0;
    e.truncLines = s.truncateDesc;
    e.serialAsk = s.allowSerialChange;
    e.archiveOptions = s.browseArchives;
    e.autoloadList = s.autoload;
    e.autoloadAdd = s.autoload && lists.autoloadCount < kMaxAutoloadCatalogs;
    e.autoloadMove = s.autoload && lists.autoloadCount > 0;
    e.apply = lists.modified;
    return e;
}

std::string CleanDescPattern(std::string_view typed, const CaseMap& caseMap) {
    return upperCase(CleanMaskList(typed), caseMap);
}

std::string FontLabelText(const FontData& font, int dpi) {
    if (dpi <= 0)
        dpi = 96;
    const long height = std::labs(static_cast<long>(font.height));
    const long points = (height * 72 + dpi / 2) / dpi;
    std::string text = font.face + ", " + std::to_string(points) + " pt";
    static constexpr std::array<std::string_view, 4> kStyles = {", Bold", ", Italic", ", Underline", ", Strike-out"};
    for (std::size_t bit = 0; bit < kStyles.size(); ++bit)
        if (font.style & (1u << bit))
            text += kStyles[bit];
    return text;
}

std::string_view FontSlotCaption(std::size_t slot) {
    static constexpr std::array<std::string_view, 6> kCaptions = {
        "Catalog Tree (Left Window)", "File List (Right Window)", "Descriptions in Properties",
        "Description File Contents",  "Descriptions as Tips",     "ASCII Viewer"};
    return slot < kCaptions.size() ? kCaptions[slot] : std::string_view();
}

std::string_view FontSlotExplanation(std::size_t slot) {
    static constexpr std::array<std::string_view, 6> kTexts = {
        "Change font, used in the tree pane window, on the main window's left side, displaying catalogs, disks, "
        "and folders.",
        "Change font used in the icon pane window, on the right side, showing content of the selected item in tree "
        "pane.",
        "Select font, used to display and edit description in the item's properties and in Description Assistant.",
        "Select display font, used to display content of defined description files in the Description Assistant.",
        "Select font for displaying descriptions as tool-tips.",
        "Select font for viewing ASCII files in the internal ASCII viewer."};
    return slot < kTexts.size() ? kTexts[slot] : std::string_view();
}

std::string_view DescSourceCaption(DescSource source) {
    switch (source) {
    case DescSource::FileIdDiz: return "FILE_ID.DIZ";
    case DescSource::FilesBbs: return "FILES.BBS";
    case DescSource::DescriptIon: return "DESCRIPT.ION";
    case DescSource::ArchiveComment: return "Archive comment";
    }
    return {};
}

}  // namespace kv

#include "search/window/SearchValidation.h"

#include "base/text/Wildcard.h"

namespace kv {

namespace {

bool ask(ISearchAsker& asker, SearchPage page, std::string_view field, std::string_view message) {
    const std::string caption = "Invalid " + std::string(field) + " field";
    const std::string text = std::string(message) + "\r" + std::string(kDisableCriterionQuestion);
    return asker.AskDisableCriterion(page, caption, text);
}

const char* nameField(NameMode mode) {
    switch (mode) {
    case NameMode::Mask: return "file mask";
    case NameMode::Extension: return "extension";
    case NameMode::FileType: return "file type";
    default: return "item name";
    }
}

// May switch the name group off or set declined; true when the checks end here.
// Some mask of the list has something usable in it.
bool usableMaskList(std::string_view text) {
    for (const std::string& mask : SplitMaskList(text))
        if (!CleanMaskList(mask).empty())
            return true;
    return false;
}

bool validateName(SearchFormValues& v, ISearchAsker& asker, bool& declined) {
    // As leaving the page does, so that "*.TXT" in an extension list stays an extension.
    if (v.nameMode == NameMode::Extension)
        v.nameText = NormalizeExtensionList(v.nameText);
    if (v.nameMode != NameMode::Mask && v.nameMode != NameMode::FileType &&
        v.nameText.find_first_of("*?") != std::string::npos)
        v.nameMode = NameMode::Mask;
    if (v.nameMode == NameMode::Mask && !usableMaskList(v.nameText)) {
        if (ask(asker, SearchPage::Name, nameField(v.nameMode), "The DOS File Mask is not valid."))
            v.byName = false;
        else
            declined = true;
        return true;
    }
    const bool hasValue = v.nameMode == NameMode::FileType ? !v.fileTypePattern.empty() : !v.nameText.empty();
    if (hasValue)
        return false;
    const char* message = v.nameMode == NameMode::FileType ? "You did not enter what file type are you searching for."
                                                           : "You did not enter what name are you searching for.";
    if (ask(asker, SearchPage::Name, nameField(v.nameMode), message))
        v.byName = false;
    else
        declined = true;
    return false;
}

}  // namespace

bool ValidateSearchFields(SearchFormValues& v, ISearchAsker& asker) {
    bool declined = false;
    // A rejected mask ends the checks, whatever the answer was.
    if (v.byName && validateName(v, asker, declined))
        return !declined;
    // A text of only spaces, commas and full stops would match every described item.
    if (v.byDescription && v.descriptionMode == DescriptionMode::Text &&
        StripDescription(v.descriptionText).empty()) {
        if (v.duplicateMode)
            v.byDescription = false;
        else if (ask(asker, SearchPage::Description, "description",
                     "You did not enter what description are you searching for."))
            v.byDescription = false;
        else
            declined = true;
    }
    // Duplicates are found by the name group alone; the other groups are hidden then.
    if (!v.duplicateMode && v.bySize && v.sizeRelation == SizeRelation::None) {
        if (ask(asker, SearchPage::Size, "size", "You did not select what size are you looking for."))
            v.bySize = false;
        else
            declined = true;
    }
    if (!v.duplicateMode && v.byDate && v.dateField == DateField::None && v.timeField == TimeField::None) {
        if (ask(asker, SearchPage::Date, "date ot time", "You did not select what date or time are you looking for."))
            v.byDate = false;
        else
            declined = true;
    }
    if (!declined)
        NormalizeSearchValues(v);
    return !declined;
}

}  // namespace kv

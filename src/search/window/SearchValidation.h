#pragma once
// The checks before every search: a criterion switched on without a value is
// either switched off (the user agrees) or the search does not start.
#include <string>
#include <string_view>

#include "search/engine/SearchCriteria.h"

namespace kv {

enum class SearchPage : std::uint8_t { Name, Description, Size, Date };

class ISearchAsker {
public:
    virtual ~ISearchAsker() = default;
    // Shows the page, focuses its field and asks (Yes/No, stop icon); true = Yes.
    virtual bool AskDisableCriterion(SearchPage page, const std::string& caption, const std::string& text) = 0;
};

inline constexpr std::string_view kDisableCriterionQuestion = "Would you like to disable this search criteria?";

// Adjusts values as the window would show them (a wildcard in the text turns
// the name mode to a mask; declined groups are switched off). False when the
// user chose to stay in the window.
bool ValidateSearchFields(SearchFormValues& values, ISearchAsker& asker);

}  // namespace kv

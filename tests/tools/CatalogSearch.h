#pragma once
// catsearch's work: the command line turned into the search window's values,
// the catalogs searched by the real engine, one line per hit.
#include <string>
#include <vector>

#include "search/engine/SearchCriteria.h"

namespace kv::tools {

struct SearchRequest {
    std::vector<std::string> catalogs;
    SearchFormValues values;
};

// Throws std::invalid_argument with a message on a bad argument.
SearchRequest ParseSearchArguments(const std::vector<std::string>& args);

// Searches every catalog in order and appends "path TAB kind" per hit to out
// (a blank line between duplicate groups). Returns the number of hits; throws
// kv::Error when a catalog cannot be read.
std::size_t SearchCatalogs(const SearchRequest& request, std::string& out);

}  // namespace kv::tools

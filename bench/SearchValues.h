#pragma once
// The search window's values for the benchmarks' criteria.
#include <string>
#include <utility>

#include "search/engine/SearchCriteria.h"

namespace kv::bench {

inline SearchFormValues NameValues(NameMode mode, std::string text) {
    SearchFormValues v;
    v.byName = true;
    v.nameMode = mode;
    v.nameText = std::move(text);
    return v;
}

inline SearchFormValues DescriptionValues(std::string text) {
    SearchFormValues v;
    v.byDescription = true;
    v.descriptionText = std::move(text);
    return v;
}

inline SearchFormValues SizeValues(SizeRelation relation, SizeInput size1, SizeInput size2 = {}) {
    SearchFormValues v;
    v.bySize = true;
    v.sizeRelation = relation;
    v.size1 = std::move(size1);
    v.size2 = std::move(size2);
    return v;
}

}  // namespace kv::bench

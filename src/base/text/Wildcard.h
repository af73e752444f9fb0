#pragma once
// DOS file masks as the search and the scan use them.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/text/AnsiCase.h"

namespace kv {

// A mask taken apart once, so that matching it against many names does no
// work on the mask: the part before the first "*", the part after the last
// one and the "*."-rule are known up front. "?" stands for one character, "*"
// for any run (backtracking, so "*.TXT" matches "A.B.TXT"). Names are
// upper-cased through the case map byte by byte; the mask is taken as given,
// so callers upper-case it for a case-insensitive match. A name without any
// "." is matched as if it ended in "." when the mask has "*." in it, so "*."
// and "*.*" match "README". Matching allocates nothing.
class WildcardMask {
public:
    WildcardMask() = default;
    explicit WildcardMask(std::string mask);

    bool Matches(std::string_view name, const CaseMap& caseMap) const;
    const std::string& text() const { return mask_; }

    // Where the stars are; a view of a mask with this shape can be matched
    // without a WildcardMask (and without copying it).
    struct Shape {
        std::size_t firstStar = std::string_view::npos;  // npos: no star at all
        std::size_t lastStar = std::string_view::npos;
        bool starDot = false;
        bool prefixHasQuestion = false;
        bool suffixHasQuestion = false;
        bool middleHasQuestion = false;
    };
    static Shape ShapeOf(std::string_view mask);
    static bool Match(std::string_view name, std::string_view mask, const Shape& shape, const CaseMap& caseMap);

private:
    std::string mask_;
    Shape shape_;
};

// True when Name matches Mask by the rules of WildcardMask. Time grows with
// name length x mask length at worst.
bool MatchWildcard(std::string_view name, std::string_view mask, const CaseMap& caseMap);

// The masks of a typed list ("*.txt,*.doc" or "*.txt; *.doc"): split at ","
// and ";", spaces around each trimmed, empty ones left out.
std::vector<std::string> SplitMaskList(std::string_view text);

// A typed mask made usable: ",", "/" and "\" are removed and a "*" or "?" right
// after a "*" is dropped. An empty result means nothing usable was typed.
std::string CleanMaskList(std::string_view text);

}  // namespace kv

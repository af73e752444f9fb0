#include "base/text/Wildcard.h"

#include <cstring>

namespace kv {

namespace {

// The name as the mask sees it: upper-cased, with the "." the "*."-rule adds.
class FoldedName {
public:
    FoldedName(std::string_view name, bool addDot, const CaseMap& caseMap)
        : name_(name), upper_(caseMap.upper), length_(name.size() + (addDot ? 1 : 0)) {}

    std::size_t size() const { return length_; }
    char operator[](std::size_t j) const {
        return j < name_.size() ? static_cast<char>(upper_[static_cast<unsigned char>(name_[j])]) : '.';
    }

    // The star-free piece of mask at position at; from its end, since the end
    // of a name (its extension) tells names apart soonest.
    bool piece(std::string_view piece, std::size_t at, bool hasQuestion) const {
        for (std::size_t k = piece.size(); k-- > 0;) {
            const char m = piece[k];
            if (m != (*this)[at + k] && !(hasQuestion && m == '?'))
                return false;
        }
        return true;
    }

private:
    std::string_view name_;
    const std::uint8_t* upper_;
    std::size_t length_;
};

}  // namespace

WildcardMask::Shape WildcardMask::ShapeOf(std::string_view mask) {
    Shape s;
    s.firstStar = mask.find('*');
    s.lastStar = mask.rfind('*');
    s.starDot = mask.find("*.") != std::string_view::npos;
    const std::size_t prefixEnd = s.firstStar == std::string_view::npos ? mask.size() : s.firstStar;
    s.prefixHasQuestion = mask.substr(0, prefixEnd).find('?') != std::string_view::npos;
    s.suffixHasQuestion = s.lastStar != std::string_view::npos &&
                          mask.substr(s.lastStar + 1).find('?') != std::string_view::npos;
    s.middleHasQuestion = s.firstStar != s.lastStar &&
                          mask.substr(s.firstStar, s.lastStar - s.firstStar).find('?') != std::string_view::npos;
    return s;
}

bool WildcardMask::Match(std::string_view name, std::string_view mask, const Shape& shape, const CaseMap& caseMap) {
    const bool addDot = shape.starDot && (name.empty() || std::memchr(name.data(), '.', name.size()) == nullptr);
    const FoldedName n(name, addDot, caseMap);
    if (shape.firstStar == std::string_view::npos)
        return mask.size() == n.size() && n.piece(mask, 0, shape.prefixHasQuestion);

    const std::string_view prefix = mask.substr(0, shape.firstStar);
    const std::string_view suffix = mask.substr(shape.lastStar + 1);
    if (prefix.size() + suffix.size() > n.size())
        return false;
    const std::size_t end = n.size() - suffix.size();
    if (!n.piece(suffix, end, shape.suffixHasQuestion) || !n.piece(prefix, 0, shape.prefixHasQuestion))
        return false;

    // Between the first and the last star each piece may float: its leftmost
    // place leaves the most room for the pieces after it.
    std::size_t at = prefix.size();
    for (std::size_t i = shape.firstStar + 1; i < shape.lastStar;) {
        const std::size_t star = mask.find('*', i);
        const std::string_view piece = mask.substr(i, star - i);
        i = star + 1;
        if (piece.empty())
            continue;
        const bool question = shape.middleHasQuestion;
        const char first = piece[0];
        for (;; ++at) {
            if (at + piece.size() > end)
                return false;
            if ((n[at] == first || (question && first == '?')) && n.piece(piece, at, question))
                break;
        }
        at += piece.size();
    }
    return true;
}

WildcardMask::WildcardMask(std::string mask) : mask_(std::move(mask)), shape_(ShapeOf(mask_)) {}

bool WildcardMask::Matches(std::string_view name, const CaseMap& caseMap) const {
    return Match(name, mask_, shape_, caseMap);
}

bool MatchWildcard(std::string_view name, std::string_view mask, const CaseMap& caseMap) {
    return WildcardMask::Match(name, mask, WildcardMask::ShapeOf(mask), caseMap);
}

std::vector<std::string> SplitMaskList(std::string_view text) {
    std::vector<std::string> masks;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(",;", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view piece = text.substr(start, end - start);
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == ' ')
            piece.remove_suffix(1);
        if (!piece.empty())
            masks.emplace_back(piece);
        start = end + 1;
    }
    return masks;
}

std::string CleanMaskList(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ',' || c == '/' || c == '\\')
            continue;
        if ((c == '*' || c == '?') && !out.empty() && out.back() == '*')
            continue;
        out += c;
    }
    return out;
}

}  // namespace kv

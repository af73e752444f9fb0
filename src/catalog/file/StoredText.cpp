#include "catalog/file/StoredText.h"

#include "catalog/file/CatalogFormat.h"

namespace kv {

std::size_t cutLength(std::string_view text, std::size_t limit, const LeadBytes& lead) {
    if (text.size() <= limit) return text.size();
    // Characters can only be told apart from the start: a trail byte may look like a lead byte.
    std::size_t end = 0;
    while (end < limit) {
        std::size_t step = lead.isLead(static_cast<std::uint8_t>(text[end])) ? 2 : 1;
        if (end + step > limit) break;
        end += step;
    }
    return end;
}

std::size_t writeLongText(BufferedWriter& out, std::string_view text, const LeadBytes& lead) {
    std::size_t n = cutLength(text, kLongTextLimit, lead);
    out.u16(static_cast<std::uint16_t>(n));
    out.text(text.substr(0, n));
    return n;
}

std::size_t writeShortText(BufferedWriter& out, std::string_view text, const LeadBytes& lead) {
    std::size_t n = cutLength(text, kShortTextLimit, lead);
    out.u8(static_cast<std::uint8_t>(n));
    out.text(text.substr(0, n));
    return n;
}

namespace {

std::size_t longTextCount(BoundedReader& in) {
    std::size_t n = in.u16();
    if (n > kLongTextLimit) throw EInvalidCatalog(kStringTooLongMessage);
    return n;
}

}  // namespace

std::string_view readLongText(BoundedReader& in) { return in.text(longTextCount(in)); }

void skipLongText(BoundedReader& in) { in.skip(longTextCount(in)); }

std::string_view readShortText(BoundedReader& in) { return in.text(in.u8()); }

}  // namespace kv

#pragma once
// The catalog's two text forms: long text (u16 count, at most 4096 bytes) and
// short text (u8 count). Decoders return views into the reader's bytes.
#include <bitset>
#include <cstdint>
#include <string_view>

#include "base/BoundedReader.h"
#include "base/BufferedWriter.h"

namespace kv {

// Which bytes open a double-byte character in the ANSI code page the texts are
// stored in, so a cut never leaves half a character. Empty for a single-byte page.
class LeadBytes {
public:
    LeadBytes() = default;
    template <class IsLead>
    static LeadBytes from(IsLead isLead) {
        LeadBytes t;
        for (unsigned b = 0; b < 256; ++b)
            if (isLead(static_cast<std::uint8_t>(b))) t.bits_.set(b);
        return t;
    }
    bool isLead(std::uint8_t b) const { return bits_[b]; }

private:
    std::bitset<256> bits_;
};

// The longest prefix of `text` of at most `limit` bytes that ends on a character boundary.
std::size_t cutLength(std::string_view text, std::size_t limit, const LeadBytes& lead);

// Write a text cut to its limit and return the count stored.
std::size_t writeLongText(BufferedWriter& out, std::string_view text, const LeadBytes& lead = {});
std::size_t writeShortText(BufferedWriter& out, std::string_view text, const LeadBytes& lead = {});

// A count above 4096 is damage: EInvalidCatalog "String data too long!".
std::string_view readLongText(BoundedReader& in);
void skipLongText(BoundedReader& in);
std::string_view readShortText(BoundedReader& in);

}  // namespace kv

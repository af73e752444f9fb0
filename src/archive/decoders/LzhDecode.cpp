#include "archive/decoders/LzhDecode.h"

#include <algorithm>
#include <array>

#include "archive/decoders/LzWindow.h"
#include "archive/decoders/LzhTable.h"
#include "archive/decoders/MsbBitReader.h"

namespace kv::arc {
namespace {

constexpr int kLiteralCodes = 510;  // 256 literals, then match lengths 3..256
constexpr int kLiteralCountBits = 9;
constexpr int kPreCodes = 19;
constexpr int kPreCountBits = 5;
constexpr int kMinMatch = 3;

class LzhBlocks {
public:
    LzhBlocks(PackedInput& in, DecodedOutput& out, int dictionaryBits, int positionCountBits)
        : bits_(in), window_(out, std::max(dictionaryBits, 16)), positionCountBits_(positionCountBits),
          // Some -lh4- encoders send a position tree sized for -lh5-; the table takes
          // whatever its count field can say, and distances are checked when used.
          positionCodes_(1 << positionCountBits) {}

    void Run() {
        std::uint32_t blockLeft = 0;
        while (!window_.Done()) {
            if (blockLeft == 0) {
                // A count of 0 stands for 65536, as the encoder's 16-bit counter wraps.
                blockLeft = bits_.Get(16);
                if (blockLeft == 0) blockLeft = 0x10000;
                readLengthTree(pre_, kPreCodes, kPreCountBits, 3);
                readLiteralTree();
                readLengthTree(position_, positionCodes_, positionCountBits_, -1);
            }
            --blockLeft;
            const int c = literal_.Decode(bits_);
            if (c < 256) {
                window_.Literal(static_cast<std::uint8_t>(c));
                continue;
            }
            const int p = position_.Decode(bits_);
            if (p > 25) throw E_RAISE(eBadBlock);
            const std::uint32_t distance = p == 0 ? 1 : (1u << (p - 1)) + bits_.Get(p - 1) + 1;
            window_.Copy(distance, static_cast<std::uint32_t>(c - 256 + kMinMatch));
        }
        window_.Finish();
    }

private:
    // A code length: 0..6 in three bits, 7 and up as 7 plus a run of one bits ended by a zero.
    int readLength() {
        int len = static_cast<int>(bits_.Peek(3));
        if (len < 7) {
            bits_.Skip(3);
            return len;
        }
        bits_.Skip(3);
        while (len <= LzhTable::kMaxLength && bits_.Get(1) == 1) ++len;
        return len;
    }

    void readLengthTree(LzhTable& table, int size, int countBits, int zeroRunAfter) {
        const int n = static_cast<int>(bits_.Get(countBits));
        if (n == 0) {
            const int only = static_cast<int>(bits_.Get(countBits));
            if (only >= size) throw E_RAISE(eBadHuffmanCode);
            table.SetConstant(only);
            return;
        }
        if (n > size) throw E_RAISE(eBadHuffmanCode);
        std::fill(lengths_.begin(), lengths_.end(), 0);
        int i = 0;
        while (i < n) {
            lengths_[i++] = static_cast<std::uint8_t>(readLength());
            if (i == zeroRunAfter) {
                const int zeros = static_cast<int>(bits_.Get(2));
                if (i + zeros > n) throw E_RAISE(eBadHuffmanCode);
                i += zeros;
            }
        }
        table.Build(std::span<const std::uint8_t>(lengths_.data(), static_cast<std::size_t>(size)), 8);
    }

    void readLiteralTree() {
        const int n = static_cast<int>(bits_.Get(kLiteralCountBits));
        if (n == 0) {
            const int only = static_cast<int>(bits_.Get(kLiteralCountBits));
            if (only >= kLiteralCodes) throw E_RAISE(eBadHuffmanCode);
            literal_.SetConstant(only);
            return;
        }
        if (n > kLiteralCodes) throw E_RAISE(eBadHuffmanCode);
        std::fill(lengths_.begin(), lengths_.end(), 0);
        int i = 0;
        while (i < n) {
            const int c = pre_.Decode(bits_);
            if (c > 2) {
                lengths_[i++] = static_cast<std::uint8_t>(c - 2);
                continue;
            }
            const int zeros = c == 0 ? 1 : c == 1 ? static_cast<int>(bits_.Get(4)) + 3
                                                  : static_cast<int>(bits_.Get(kLiteralCountBits)) + 20;
            if (i + zeros > n) throw E_RAISE(eBadHuffmanCode);
            i += zeros;
        }
        literal_.Build(std::span<const std::uint8_t>(lengths_.data(), kLiteralCodes), 12);
    }

    MsbBitReader bits_;
    LzWindow window_;
    int positionCountBits_;
    int positionCodes_;
    LzhTable pre_;
    LzhTable literal_;
    LzhTable position_;
    std::array<std::uint8_t, kLiteralCodes> lengths_{};
};

}  // namespace

void LzhDecode(PackedInput& in, DecodedOutput& out, int dictionaryBits, int positionCountBits) {
    LzhBlocks(in, out, dictionaryBits, positionCountBits).Run();
}

}  // namespace kv::arc

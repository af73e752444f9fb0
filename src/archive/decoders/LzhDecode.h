#pragma once
// The static-Huffman LZ decoder shared by LHA -lh4-/-lh5- (also -lh6-/-lh7- with
// larger dictionaries), ARJ methods 1-3 and ZOO method 2.
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Parameters: LHA -lh4- (12, 4), -lh5- and ZOO 2 (13, 4), ARJ 1-3 (16, 5). The check
// (CRC-16 or CRC-32) and the unpacked size are the DecodedOutput's. Raises eBadHuffmanCode
// on a table that cannot be built, eBadBlock on damaged or truncated data.
void LzhDecode(PackedInput& in, DecodedOutput& out, int dictionaryBits, int positionCountBits);

}  // namespace kv::arc

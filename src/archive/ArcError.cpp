#include "archive/ArcError.h"

#include <algorithm>
#include <iterator>

namespace kv::arc {

namespace {

struct Message {
    int id;
    std::string_view text;
};

// Sorted by number. The spelling is the program's own and stays as it is.
constexpr Message kMessages[] = {
    {25108, "Bad file header"},
    {25109, "Bad block"},
    {25110, "Bad Huffman code"},
    {25111, "Invalid code incountered"},
    {25112, "Invalid comment header"},
    {25113, "Incorrect number of bits"},
    {25114, "Error writing to file"},
    {25115, "Error closing file"},
    {25116, "Incomplete code set"},
    {25117, "File fails CRC check"},
    {25118, "File contains invalid decode tree"},
    {25125, "Disk full"},
    {25132, "File not found"},
    {25134, "Error opening file"},
    {25135, "Error reading file or unexpected end of file"},
    {25136, "Header CRC error"},
    {25137, "Header ID error"},
    {25138, "Invalid or unsupported archive type for this operation"},
    {25139, "Invalid file name"},
    {25140, "Bad lengths"},
    {25145, "Inconsistant local header"},
    {25148, "LZX method not supported"},
    {25150, "Maximum volumes 999"},
    {25153, "Out of memory"},
    {25157, "No central header. File may be corrupt"},
    {25162, "Multi-Part GZIP files not supported"},
    {25163, "Too many nested dirs"},
    {25171, "OnRead event not assigned"},
    {25172, "OnPassword event not assigned"},
    {25190, "Password protected"},
    {25191, "Seek error"},
    {25192, "Ambiguous Shannon-Fano decode tree encountered"},
    {25196, "Stack overflow"},
    {25200, "Unsupported compression method"},
    {25202, "Unknown file type"},
    {25204, "Unsupported version"},
    {25302, "Version error"},
    {25303, "The RAR library unrar.dll is missing or incomplete"},
    {25903, "Next volume in set"},
    {26517, "Invalid password"},
    {26522, "Password failed"},
    {26900, "Skipped File"},
    {26999, "Nothing to do"},
};

}  // namespace

std::string ArcMessage(int id) {
    auto it = std::lower_bound(std::begin(kMessages), std::end(kMessages), id,
                               [](const Message& m, int v) { return m.id < v; });
    if (it != std::end(kMessages) && it->id == id) return std::string(it->text);
    return "Error " + std::to_string(id);
}

}  // namespace kv::arc

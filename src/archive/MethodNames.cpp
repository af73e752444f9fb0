#include "archive/MethodNames.h"

namespace kv::arc {

namespace {

std::string pick(std::uint16_t code, std::initializer_list<const char*> names) {
    return code < names.size() ? std::string(names.begin()[code]) : "Unknown";
}

std::string zipName(std::uint16_t method, std::uint16_t flags) {
    if (method == 8) {
        switch (flags & 6) {
            case 6: return "DeflateS";
            case 4: return "DeflateF";
            case 2: return "DeflateX";
            default: return "DeflateN";
        }
    }
    return pick(method, {"Stored", "Shrunk", "Reduce-1", "Reduce-2", "Reduce-3", "Reduce-4", "Imploded", "Tokened"});
}

std::string cabName(std::uint16_t method) {
    if (method == 3487 || method == 5490) return "LZX";
    // The low nibble is the method; LZX carries its window size above it.
    switch (method & 0x0F) {
        case 0: return method == 0 ? "Stored" : "Unknown";
        case 1: return method == 1 ? "MSZIP" : "Unknown";
        case 3: return "LZX";
        default: return "Unknown";
    }
}

}  // namespace

std::string MethodName(TArcType type, std::uint16_t method, std::uint16_t zipFlags) {
    switch (type) {
        case atARJ:
        case atArjExe: return pick(method, {"Stored", "Most", "2nd Most", "2nd Fast", "Fastest"});
        case atARC:
        case atArcExe:
            return pick(method, {"Unknown", "Stored", "Stored", "Packed", "Squeezed", "crunched", "crunched",
                                 "crunched", "Crunched", "Squashed", "Pack10", "Pack11", "Pack12"});
        case atPAK:
        case atPakExe:
            return pick(method, {"Unknown", "Stored", "Stored", "RLE", "Squeezed", "FIXEDLEN", "FIXEDLEN", "FIXEDLEN",
                                 "VARIBLE", "VARIBLE", "Crushed", "Distill"});
        case atBH:
        case atBHExe: return pick(method, {"Stored", "Fused", "Ionized"});
        case atCAB: return cabName(method);
        case atGZip:
            if (method == 8) return "Deflate";
            return pick(method, {"Stored", "Compress", "Packed", "Lzh"});
        case atHA:
            if (method == 14) return "Dir";
            if (method == 15) return "Special";
            return pick(method, {"Cpy", "Asc", "HSC"});
        case atLHA:
        case atLhaExe:
        case atLZH:
        case atLzhExe:
            if (method < '0') return "Unknown";
            return pick(method - '0', {"Stored", "Frozen-1", "Frozen-2", "Frozen-3", "Frozen-4", "Frozen-5"});
        case atRAR:
        case atRarExe:
            if (method < '0') return "Unknown";
            return pick(method - '0', {"Stored", "Fastest", "Fast", "Normal", "Good", "Best"});
        case atTAR: return pick(method, {"Stored"});
        case atZIP:
        case atZipExe:
        case atZip250:
        case atZip250Exe: return zipName(method, zipFlags);
        case atZOO: return pick(method, {"Stored", "Fastest", "Greatest"});
        default: return "Unknown";
    }
}

}  // namespace kv::arc

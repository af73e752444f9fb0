#pragma once
// The archive kinds detection tells apart, and the enumerations the components share.
#include <cstdint>
#include <string_view>

namespace kv::arc {

enum TArcType : std::uint8_t {
    atNA,
    atUnsupported,
    atFileError,
    atUnknown,
    atARJ,
    atArjExe,
    atARC,
    atArcExe,
    atBH,
    atBHExe,
    atCAB,
    atGZip,
    atHA,
    atLHA,
    atLhaExe,
    atLZH,
    atLzhExe,
    atPAK,
    atPakExe,
    atRAR,
    atRarExe,
    atTAR,
    atZIP,
    atZipExe,
    atZip250,
    atZip250Exe,
    atZOO,
};

constexpr int kArcTypeCount = atZOO + 1;

// The fixed-width name lists show ("LZH SFX" is one character short, as it always was).
std::string_view ArcTypeDisplayName(TArcType t);

// True for the kinds the ZIP rules read (plain, inside a program, and the 00 00 00 50 kind).
constexpr bool IsZipType(TArcType t) { return t >= atZIP && t <= atZip250Exe; }

enum TSetDate : std::uint8_t { OrigDate, CurDate };

enum TProgressNotify : std::uint8_t { Five, Ten, Fifteen, Twenty, TwentyFive };

}  // namespace kv::arc

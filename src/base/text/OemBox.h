#pragma once
// Box-drawing and block characters of the DOS code page made readable in ANSI:
// corners and crossings "+", horizontals "-", verticals "|", shades and blocks
// "#", the small dot the middle dot, bullets the ANSI bullet.
//
// Only for texts that really come from DOS (description files, archive
// comments): in ANSI the same bytes are letters such as Ä, É, Ö, Ü and ß, which
// this would destroy in a text typed on Windows.
#include <string>

namespace kv {

void OemBoxToAscii(std::string& text);

}  // namespace kv

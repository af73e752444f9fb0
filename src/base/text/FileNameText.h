#pragma once
// File-name pieces and proposals made from catalog texts.
#include <string>
#include <string_view>

namespace kv {

// The extension without its dot: "A.B.TXT" gives "TXT"; "README", "A." and the
// dot of a folder in "DIR.X\FILE" give "".
std::string GetExtNoDot(std::string_view name);

// Every character Windows refuses in a file name (\ / : * ? " < > | and the
// control characters) becomes "_", so a catalog name can be proposed as its file name.
void MakeValidFileName(std::string& name);

}  // namespace kv

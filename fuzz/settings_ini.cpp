// The ini text of the settings file: whatever the file holds, an entry that is
// written reads back the same, survives the text being written and read again,
// and an erased section is gone.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "system/settings/IniText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto ini = kv::IniText::parse(bytes);
    if (!ini) return 0;
    ini->section("MRUList");
    ini->read("Toolbar", "DockRow");
    // The first line's text serves as an untrusted value.
    const std::string value(bytes.substr(0, bytes.find_first_of(std::string_view("\r\n", 2))));
    if (ini->write("MRUList", "F0", value)) {
        if (ini->read("mrulist", "f0") != value) std::abort();
        auto again = kv::IniText::parse(ini->text());
        if (!again || again->read("MRUList", "F0") != value) std::abort();
    }
    ini->erase("MRUList");
    if (!ini->section("MRUList").empty() || ini->read("MRUList", "F0")) std::abort();
    return 0;
}

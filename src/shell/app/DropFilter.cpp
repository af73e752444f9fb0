#include "shell/app/DropFilter.h"

#include "base/text/AnsiCase.h"
#include "system/SystemCaseMap.h"

namespace kv {
namespace {

bool isCatalogName(const std::string& name) {
    const std::size_t dot = name.find_last_of(".\\/:");
    if (dot == std::string::npos || name[dot] != '.')
        return false;
    return lowerCase(std::string_view(name).substr(dot + 1), systemCaseMap()) == "ctf";
}

}  // namespace

DroppedFiles FilterDroppedFiles(const std::vector<std::string>& names) {
    DroppedFiles result;
    for (const std::string& name : names) {
        if (isCatalogName(name))
            result.catalogs.push_back(name);
        else
            ++result.invalid;
    }
    return result;
}

const char* InvalidDropText(int invalidCount) {
    if (invalidCount <= 0)
        return nullptr;
    return invalidCount == 1 ? "Sorry, the file you dropped does not seem to be a catalog file."
                             : "Sorry, none of files you just dropped is a valid catalog file.";
}

}  // namespace kv

#include "system/settings/FileTypeRegistrationWin32.h"

#include <shlobj.h>

#include "system/settings/RegistryExWin32.h"

namespace kv {

namespace {

constexpr const char* kProgId = "Korvalder.CatalogFile";

bool setDefault(TRegistryEx& reg, const std::string& path, const std::string& value) {
    return reg.OpenRegKey(path, true) && reg.WriteString("", value);
}

}  // namespace

std::string ProgramShortPath() {
    char longPath[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, longPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    char shortPath[MAX_PATH + 1] = {};
    const DWORD s = GetShortPathNameA(longPath, shortPath, MAX_PATH);
    return s > 0 && s < MAX_PATH ? std::string(shortPath, s) : std::string(longPath, n);
}

bool RegisterCatalogFileType(const std::string& programPath, HKEY root, const std::string& classesPath) {
    TRegistryEx reg(root);
    const std::string base = classesPath + "\\";
    const std::string progId = base + kProgId;
    // The path is quoted: without short names it may hold spaces, and the shell
    // would then run whatever program its first word names.
    return setDefault(reg, base + ".ctf", kProgId) && setDefault(reg, progId, "Korvalder? Catalog File") &&
           setDefault(reg, progId + "\\DefaultIcon", programPath + ",2") &&
           setDefault(reg, progId + "\\shell\\open\\command", "\"" + programPath + "\" \"%1\"");
}

bool RegisterCatalogFileType() {
    const std::string program = ProgramShortPath();
    if (program.empty())
        return false;
    const bool ok = RegisterCatalogFileType(program, HKEY_CURRENT_USER, kUserClassesPath);
    if (ok)
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return ok;
}

}  // namespace kv

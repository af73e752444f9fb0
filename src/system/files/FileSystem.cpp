#include "system/files/FileSystem.h"

#include "base/Errors.h"

namespace kv {

namespace {
constexpr const char* kSeparators = "\\/";
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif
}  // namespace

std::vector<FolderEntry> IFileSystem::ListFolder(const std::string& folder) {
    throw EListFolderError("Cannot list folder \"" + folder + "\"", false);
}

std::vector<FolderEntry> IFileSystem::ListWideFolder(const std::string& shown, const std::wstring&) {
    return ListFolder(shown);
}

std::string FolderOf(const std::string& path) {
    const std::size_t at = path.find_last_of(kSeparators);
    if (at == std::string::npos)
        return {};
    // Keep the separator of a root ("/" or "C:\").
    if (at == 0 || (at == 2 && path[1] == ':'))
        return path.substr(0, at + 1);
    return path.substr(0, at);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (folder.find_last_of(kSeparators) == folder.size() - 1)
        return folder + name;
    return folder + kSeparator + name;
}

std::string WithExtension(const std::string& path, const std::string& extension) {
    const std::size_t slash = path.find_last_of(kSeparators);
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + extension;
    return path.substr(0, dot) + extension;
}

}  // namespace kv

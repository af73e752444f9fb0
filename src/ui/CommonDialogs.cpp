#include "ui/CommonDialogs.h"

#include <commdlg.h>

#include "ui/MessageBoxPrompt.h"

namespace kv::ui {

namespace {
const DWORD kBufferSize = 64 * 1024;
}

std::string CommonFileDialogs::filterText(const FileDialogRequest& r) {
    std::string s;
    for (const auto& [description, masks] : r.filters) {
        s += description;
        s += '\0';
        s += masks;
        s += '\0';
    }
    s += '\0';
    return s;
}

std::vector<std::string> CommonFileDialogs::splitSelection(const char* buffer) {
    std::vector<std::string> parts;
    for (const char* p = buffer; *p; p += parts.back().size() + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::string folder = parts.front();
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    std::vector<std::string> files;
    for (size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
    return files;
}

namespace {

// The dialog's structure with the texts it points at, kept alive together.
struct FileDialogCall {
    std::string filter;
    std::string buffer;
    OPENFILENAMEA o{};

    FileDialogCall(const FileDialogRequest& r, std::string filterText, HWND owner, DWORD flags)
        : filter(std::move(filterText)), buffer(kBufferSize, '\0') {
        r.fileName.copy(buffer.data(), kBufferSize - 2);
        o.lStructSize = sizeof o;
        o.hwndOwner = owner;
        o.lpstrFilter = r.filters.empty() ? nullptr : filter.c_str();
        o.lpstrFile = buffer.data();
        o.nMaxFile = kBufferSize;
        o.lpstrTitle = r.title.empty() ? nullptr : r.title.c_str();
        o.lpstrInitialDir = r.initialFolder.empty() ? nullptr : r.initialFolder.c_str();
        o.lpstrDefExt = r.defaultExtension.empty() ? nullptr : r.defaultExtension.c_str();
        o.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | flags;
    }
    FileDialogCall(const FileDialogCall&) = delete;
    FileDialogCall& operator=(const FileDialogCall&) = delete;
};

}  // namespace

std::optional<std::vector<std::string>> CommonFileDialogs::openFiles(const FileDialogRequest& r) {
    FileDialogCall call(r, filterText(r), owner_ ? owner_ : promptOwner(),
                        (r.mustExist ? OFN_FILEMUSTEXIST : 0) | (r.multiSelect ? OFN_ALLOWMULTISELECT : 0));
    if (!GetOpenFileNameA(&call.o)) return std::nullopt;
    return splitSelection(call.buffer.c_str());
}

std::optional<std::string> CommonFileDialogs::saveFile(const FileDialogRequest& r) {
    FileDialogCall call(r, filterText(r), owner_ ? owner_ : promptOwner(), r.confirmOverwrite ? OFN_OVERWRITEPROMPT : 0);
    if (!GetSaveFileNameA(&call.o)) return std::nullopt;
    return std::string(call.buffer.c_str());
}

}  // namespace kv::ui

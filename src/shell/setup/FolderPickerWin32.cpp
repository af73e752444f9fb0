#include "shell/setup/FolderPickerWin32.h"

#include <shlobj.h>

namespace kv {

namespace {

int CALLBACK startOn(HWND dialog, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED && data)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}  // namespace

std::optional<std::string> PickFolder(HWND owner, const FolderPickRequest& request) {
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = name;
    info.lpszTitle = request.caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | (request.allowEditing ? BIF_EDITBOX | BIF_NEWDIALOGSTYLE : 0);
    info.lpfn = startOn;
    info.lParam = request.folder.empty() ? 0 : reinterpret_cast<LPARAM>(request.folder.c_str());
    const HRESULT com = CoInitialize(nullptr);
    std::optional<std::string> chosen;
    if (PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(list, path))
            chosen = std::string(path);
        CoTaskMemFree(list);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return chosen;
}

std::string PickerStartFolder(const std::string& edited, const std::string& fallback,
                              const std::function<bool(const std::string&)>& exists) {
    if (edited.empty() || (exists && !exists(edited)))
        return fallback;
    return edited;
}

}  // namespace kv

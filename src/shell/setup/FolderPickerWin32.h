#pragma once
// Choosing a folder: the settings' windows ask the picker their owner gives
// them (the program's "Select Folder" dialog, a script in tests).
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace kv {

struct FolderPickRequest {
    std::string caption;
    // The folder the dialog opens on.
    std::string folder;
    // The user may type or create a folder.
    bool allowEditing = false;
};

using FolderPicker = std::function<std::optional<std::string>(HWND owner, const FolderPickRequest& request)>;

// What a folder picker opens on: the edit's folder, or the fallback when that
// folder is gone (the edit then shows the fallback).
std::string PickerStartFolder(const std::string& edited, const std::string& fallback,
                              const std::function<bool(const std::string&)>& exists);

}  // namespace kv

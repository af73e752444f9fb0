#include "shell/viewer/ViewerRules.h"

#include "archive/SafePath.h"
#include "base/text/AnsiCase.h"
#include "catalog/media/RealPath.h"
#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"

namespace kv {

namespace {

std::string Upper(std::string_view s) { return upperCase(s, cp1252CaseMap()); }

std::string Extension(std::string_view name) {
    name = LastPathPart(name);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : Upper(name.substr(dot + 1));
}

}  // namespace

std::string ExtractedMemberPath(std::string_view folder, std::string_view memberName) {
    const arc::SafeTarget target = arc::SafeTargetPath(folder, memberName, false);
    return target ? target.path : std::string();
}

std::string ExtractedArchivePath(std::string_view folder, std::string_view memberName, bool keptFolders) {
    const arc::SafeTarget target = arc::SafeTargetPath(folder, memberName, keptFolders);
    return target ? target.path : std::string();
}

std::string LaunchKind(std::string_view fileName) {
    const std::string name = Upper(LastPathPart(fileName));
    if (Extension(name) != "EXE")
        return {};
    return name == "INSTALL.EXE" || name == "SETUP.EXE" ? "installation" : "executable";
}

ui::PromptRequest LaunchFromArchiveQuestion(const std::string& kind) {
    return {"You have selected to launch a program " + kind +
                " file from inside compressed archive file. Such files often can not run by themselves, and will "
                "need to have other files from the package available. It is recommended that you extract entire "
                "archive file to a temporary folder first.\r\n\r\n"
                "Would you like to extract entire archive file first and then launch the selected file?",
            "Launching " + kind + " File", ui::PromptButtons::YesNoCancel, ui::PromptIcon::Warning};
}

ui::PromptRequest FileNotFoundMessage() {
    return {"Sorry, selected file does not exist any more on the media.\r\nPlease update data for this media.",
            "File not found", ui::PromptButtons::Ok, ui::PromptIcon::Warning};
}

ui::PromptRequest FolderNotFoundMessage() {
    return {"Sorry, this folder does not exist any more on the media.\r\nPlease update data for this media.",
            "Folder not found", ui::PromptButtons::Ok, ui::PromptIcon::Information};
}

std::optional<ui::PromptRequest> LaunchErrorMessage(std::uintptr_t result, std::string_view fileName) {
    using ui::PromptButtons;
    using ui::PromptIcon;
    switch (result) {
    case 0:
    case 8:
        return ui::PromptRequest{"There is not enough memory or resources to execute program.", "Out of Memory",
                                 PromptButtons::Ok, PromptIcon::Information};
    case 2:
    case 3: return FileNotFoundMessage();
    case 5:
        return ui::PromptRequest{"Access to this file was denied by operating system.", "Access Denied",
                                 PromptButtons::Ok, PromptIcon::Warning};
    case 26:
        return ui::PromptRequest{"Sharing error occoured on this file.\r\nPlease close first all programs currently "
                                 "using this file.",
                                 "Access Denied", PromptButtons::Ok, PromptIcon::Warning};
    case 27:
    case 31:
        return ui::PromptRequest{"No program is associated with this file type (" + Extension(fileName) + ").",
                                 "Can't launch file", PromptButtons::Ok, PromptIcon::Information};
    default: return std::nullopt;
    }
}

std::string ExplorerCommandLine(std::string_view program, std::string_view folder) {
    std::string line = "\"" + std::string(program) + "\" \"" + std::string(folder) + "\"";
    return line;
}

std::string ViewerParameter(const std::string& path, const std::string& shortPath, bool shortNames) {
    if (shortNames && !shortPath.empty())
        return shortPath;
    return "\"" + path + "\"";
}

bool IsRtfName(std::string_view path) { return Extension(path) == "RTF"; }

const ItemHead* ExplorerTarget(const ItemHead* item, bool isUpRow, const ItemHead* selectedNodeRecord) {
    if (isUpRow) {
        const Node* node = selectedNodeRecord ? selectedNodeRecord->node : nullptr;
        const Node* parent = node ? node->parent() : nullptr;
        return parent ? parent->record() : nullptr;
    }
    if (!item)
        return nullptr;
    if (IsArchiveMember(item)) {
        // The archive's own folder.
        const Node* archive = item->node;
        const Node* parent = archive ? archive->parent() : nullptr;
        return parent ? parent->record() : nullptr;
    }
    if (item->kind() == ItemFlags::File)
        return item->node ? item->node->record() : nullptr;
    if (IsArchiveFolder(item)) {
        const Node* parent = item->node ? item->node->parent() : nullptr;
        return parent ? parent->record() : nullptr;
    }
    return item;
}

std::string ExtractCaption(std::size_t rows, std::string_view name) {
    if (rows == 1)
        return "Extract \"" + std::string(name) + "\" to:";
    return "Extract " + std::to_string(rows) + " selected items to:";
}

}  // namespace kv

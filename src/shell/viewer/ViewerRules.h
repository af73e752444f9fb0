#pragma once
// The decisions of View, Launch, Open in Explorer and Extract To that need no
// window: which file a member becomes, what is asked, what the shell's answers
// mean and the command lines given to other programs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/model/ItemHead.h"
#include "ui/UserPrompt.h"

namespace kv {

// Where a member extracted alone (without its stored folders) lands: its last
// path part inside the folder, whatever its stored name says.
std::string ExtractedMemberPath(std::string_view folder, std::string_view memberName);

// Where a member extracted with the whole archive lands: its stored path
// cleaned as the extraction cleans it (kept folders), or its last part.
// Empty when the name can never be extracted.
std::string ExtractedArchivePath(std::string_view folder, std::string_view memberName, bool keptFolders);

// "installation" for INSTALL.EXE and SETUP.EXE, "executable" for other
// programs, "" for anything else.
std::string LaunchKind(std::string_view fileName);
// The question before launching a program from inside an archive.
ui::PromptRequest LaunchFromArchiveQuestion(const std::string& kind);

// The message for the shell's answer to opening a file; none for success
// (above 32) and for errors it passes over.
std::optional<ui::PromptRequest> LaunchErrorMessage(std::uintptr_t result, std::string_view fileName);

// The program and the folder in double quotes.
std::string ExplorerCommandLine(std::string_view program, std::string_view folder);

// The external viewer's parameter: the quoted path, or its short form when
// asked for and the volume has one.
std::string ViewerParameter(const std::string& path, const std::string& shortPath, bool shortNames);

// Shown formatted: the extension is RTF.
bool IsRtfName(std::string_view path);

// The message every command gives when a catalogued file is gone.
ui::PromptRequest FileNotFoundMessage();
ui::PromptRequest FolderNotFoundMessage();

// The record whose folder Open in Explorer shows: an archive's or a file's
// folder, the selected folder's parent for the ".." row, else the item.
const ItemHead* ExplorerTarget(const ItemHead* item, bool isUpRow, const ItemHead* selectedNodeRecord);

// 'Extract "name" to:' for one row, "Extract n selected items to:" for more.
std::string ExtractCaption(std::size_t rows, std::string_view name);

}  // namespace kv

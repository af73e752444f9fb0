#pragma once
// The description assistant's work without its window: finding the files that
// usually describe software (by the user's name patterns) in an item's folder
// and, optionally, its subfolders and archives; and turning a file's bytes
// into the text the viewer shows.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/model/FileRecord.h"
#include "catalog/model/Node.h"

namespace kv {

struct DescFileEntry {
    // Relative to the item's folder: "FILE_ID.DIZ", ".\sub\FILE_ID.DIZ".
    std::string path;
    TFileRec* file = nullptr;
    std::size_t pattern = 0;  // position of the first pattern it matched
};

struct DescFileSearch {
    std::vector<std::string> patterns;
    bool subfolders = false;  // DescAlwaysCheck
    int maxLevels = 2;        // DescMaxLevels, 1..8
    // Loads a node's file list (and its subfolder nodes) when needed.
    std::function<void(Node& node)> loadNode;
};

// The files of start and, with subfolders, of the levels below it up to
// maxLevels deep, each once, ordered by the pattern it first matched. An
// archive member counts only when its archive's members can be extracted.
// Patterns match regardless of case.
std::vector<DescFileEntry> SearchDescFiles(Node& start, const DescFileSearch& search);

// Where the file lies on the medium, below the drive: the folder's path (the
// virtual root included) and the name. For a member: the archive's path.
struct DescFileLocation {
    std::string folderPath;   // "\GAMES\DOOM"
    std::string name;         // the file's name
    bool inArchive = false;
    std::string archivePath;  // "\GAMES\DOOM.ZIP" for a member
};
DescFileLocation LocateDescFile(const TFileRec& file);

inline constexpr std::size_t kDescFileShowLimit = 32767;
inline constexpr const char* kDescTooLong = "***  Description Assistant: File Too Long - TRUNCATED  ***";
inline constexpr const char* kDescReadError = "***  Description Assistant: FILE READ ERROR  ***";
inline constexpr const char* kDescExtractError = "***  Description Assistant: UNABLE TO EXTRACT FILE  ***";

// At most 32767 bytes shown, NUL bytes as code 255, box characters replaced
// when convert is on; a file longer than that (read up to one byte more to
// know) gets the truncation line.
std::string DescFileText(std::string_view bytes, bool convert);

}  // namespace kv

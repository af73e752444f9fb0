#pragma once
// Writing a folder's descriptions back to its medium as description files.
// Each file is written beside its target under a temporary name and then put
// in its place, so a failure never leaves a damaged or empty file behind.
#include <map>
#include <string>
#include <string_view>

#include "catalog/model/Node.h"
#include "scan/FilesBbsFile.h"
#include "system/files/FileSystem.h"

namespace kv {

enum class DescFileFormat { DescriptIon, FilesBbs, FileIdDiz };

struct ExportOptions {
    DescFileFormat format = DescFileFormat::DescriptIon;
    // The letter under which the medium is reachable now.
    char driveLetter = 'C';
    // Where the medium's root is reached instead of "letter:" (tests, mapped folders).
    std::string mediumRoot;
    bool subfolders = false;
    bool keepExisting = true;
    // Limits apply to FILES.BBS and FILE_ID.DIZ only.
    bool limitLineLength = false;
    int maxChars = 80;
    bool limitNumberLines = false;
    int maxLines = 10;
};

// Entries already in a target file, by name without regard to case; a repeated
// name keeps its first text.
class ExistingDescriptions {
public:
    void clear() { entries_.clear(); }
    void add(std::string_view name, std::string_view description);
    // Takes the entry out; false when there is none.
    bool take(std::string_view name, std::string& description);
    bool empty() const { return entries_.empty(); }
    // What is left, in sorted order: (name, description).
    template <class F>
    void forEach(F&& f) const {
        for (const auto& [key, entry] : entries_) f(entry.first, entry.second);
    }

private:
    std::map<std::string, std::pair<std::string, std::string>> entries_;
};

class DescriptionExporter {
public:
    DescriptionExporter(IFileSystem& files, const ExportOptions& options) : files_(files), options_(options) {}

    // Exports the folder or disk of the node (and with `subfolders` everything
    // below it). A folder whose file cannot be made is passed over; an output
    // error ends the export with EIoError, the target left as it was.
    void exportNode(Node& node);

    // The folder on the medium: letter, ":", the item's path with the virtual root.
    std::string folderPath(const Node& node) const;

    void writeFolderDescFile(Node& node, const std::string& folder);
    void writeFileIdDiz(Node& node, const std::string& folder);

private:
    void readExisting(const std::string& target);
    void writeEntry(std::string& out, std::string_view name, std::string description);
    void appendEntry(std::string& out, std::string_view name, std::string_view description) const;
    // Puts the text in place of the target; an empty text erases the target.
    void replaceFile(const std::string& folder, const std::string& target, const std::string& text, bool hidden);
    LineLimits limits() const;

    IFileSystem& files_;
    ExportOptions options_;
    ExistingDescriptions existing_;
};

}  // namespace kv

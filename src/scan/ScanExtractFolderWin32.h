#pragma once
// A folder of one scan's own below the temporary folder: description files
// from archives land there, so a file of the same name that someone left in
// the temporary folder is never read or erased for them.
#include <string>

namespace kv {

class ScanExtractFolder {
public:
    // Made at once; path() stays empty when it cannot be made.
    explicit ScanExtractFolder(const std::string& temp);
    // Removes the folder with whatever is left in it.
    ~ScanExtractFolder();
    ScanExtractFolder(const ScanExtractFolder&) = delete;
    ScanExtractFolder& operator=(const ScanExtractFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace kv

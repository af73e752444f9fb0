#pragma once
// The recently-used file list without its menu: the names newest first, the
// maximum, and the store form "F0".."Fn" ("F0" the newest).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class SectionStore;

class MruList {
public:
    explicit MruList(std::size_t maximum = 5) : maximum_(maximum) {}

    const std::vector<std::string>& files() const { return files_; }
    std::size_t count() const { return files_.size(); }
    std::size_t maximum() const { return maximum_; }
    // Lowering the maximum drops the oldest entries.
    void setMaximum(std::size_t maximum);

    // A listed name (compared without case) moves to index; a new one is
    // inserted there and the oldest fall off beyond the maximum.
    void addFile(std::size_t index, const std::string& fileName);
    // False when the name was not listed.
    bool removeFile(std::string_view fileName);
    // The name a menu entry numbered itemNumber (1-based) stands for; nothing
    // when the list changed since the menu was made and the number is stale.
    std::optional<std::string> fileAt(std::size_t itemNumber) const;

    // Reads "F0".."F(maximum-1)" by name: what save writes. Empty values and
    // duplicates are skipped. Store failures leave the list empty.
    void load(const SectionStore& store, std::string_view section);
    // Replaces the section with the current entries; false when the store failed.
    bool save(SectionStore& store, std::string_view section) const;

private:
    std::optional<std::size_t> find(std::string_view fileName) const;
    void trim();

    std::vector<std::string> files_;
    std::size_t maximum_;
};

}  // namespace kv

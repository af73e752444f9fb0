#pragma once
// A section store in an ini file. Every call reads the file afresh; every
// change writes the whole text to a new file beside it and then replaces the
// old one in one step, so a failed write leaves the old file as it was.
// A file that is not text, or too large to be a settings file, is read as
// empty and never overwritten.
#include <cstdint>
#include <memory>
#include <string>

#include "system/settings/SectionStore.h"
#include "system/files/FileSystem.h"
#include "system/settings/IniText.h"

namespace kv {

class IniFileStore : public SectionStore {
public:
    static constexpr std::uint64_t kMaxFileSize = 1 << 20;

    // On the system's file system.
    explicit IniFileStore(std::string path);
    // fs must outlive the store.
    IniFileStore(std::string path, IFileSystem& fs);
    ~IniFileStore() override;

    const std::string& path() const { return path_; }

protected:
    std::optional<std::string> readString(std::string_view section, std::string_view name) const override;
    std::vector<SectionValue> readSection(std::string_view section) const override;
    bool writeString(std::string_view section, std::string_view name, std::string_view value) override;
    bool eraseSection(std::string_view section) override;

private:
    // An empty text for a missing file; nothing when the file cannot be read as one.
    std::optional<IniText> load() const;
    bool save(const IniText& ini);

    std::unique_ptr<IFileSystem> owned_;
    IFileSystem* fs_;
    std::string path_;
};

}  // namespace kv

#include "system/settings/IniFileStore.h"

#include "base/Errors.h"

namespace kv {

IniFileStore::IniFileStore(std::string path)
    : owned_(MakeSystemFileSystem()), fs_(owned_.get()), path_(std::move(path)) {}

IniFileStore::IniFileStore(std::string path, IFileSystem& fs) : fs_(&fs), path_(std::move(path)) {}

IniFileStore::~IniFileStore() = default;

std::optional<IniText> IniFileStore::load() const {
    if (path_.empty()) return std::nullopt;
    if (!fs_->Exists(path_)) return IniText();
    auto source = fs_->OpenRead(path_);
    const std::uint64_t size = source->size();
    if (size > kMaxFileSize) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0) source->readExactly(0, bytes.data(), bytes.size());
    return IniText::parse(bytes);
}

bool IniFileStore::save(const IniText& ini) {
    const std::string target = fs_->FullPath(path_);
    const std::string temp = fs_->CreateTempFile(FolderOf(target), "kvi");
    try {
        const std::string text = ini.text();
        auto sink = fs_->OpenOutput(temp);
        sink->write(text.data(), text.size());
        sink->flush();
        sink.reset();
        if (fs_->MoveReplace(temp, target) == FsStatus::Ok) return true;
    } catch (const Error&) {
    }
    fs_->Erase(temp);
    return false;
}

std::optional<std::string> IniFileStore::readString(std::string_view section, std::string_view name) const {
    auto ini = load();
    return ini ? ini->read(section, name) : std::nullopt;
}

std::vector<SectionValue> IniFileStore::readSection(std::string_view section) const {
    auto ini = load();
    return ini ? ini->section(section) : std::vector<SectionValue>();
}

bool IniFileStore::writeString(std::string_view section, std::string_view name, std::string_view value) {
    auto ini = load();
    return ini && ini->write(section, name, value) && save(*ini);
}

bool IniFileStore::eraseSection(std::string_view section) {
    auto ini = load();
    if (!ini) return false;
    return !ini->erase(section) || save(*ini);  // nothing erased: the file is left alone
}

}  // namespace kv

#pragma once
// The icon cache's rules: which icon a drive kind gets, how a shell icon
// location reads, and one icon per file extension, resolved once. Finding and
// extracting an extension's icon is the resolver's job, so the rules run
// without the shell.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kv {

// Image-list indexes of the program's item kinds.
struct ItemIcons {
    int unknownFile = 0;
    int application = 0;
    int closedFolder = 0;
    int openFolder = 0;
    int hardDisk = 0;
    int cdRom = 0;
    int floppy35 = 0;
    int floppy525 = 0;
    int network = 0;
    int removable = 0;
    int ramDisk = 0;
    int tape = 0;
    int zipDrive = 0;
    int jazDrive = 0;
    int virtualDisk = 0;
    int catalog = 0;
    int archiveFolder = 0;
    int archiveOpenFolder = 0;
    int back = 0;
    int setup = 0;
    int sortUp = 0;
    int sortDown = 0;
};

int GetDriveIcon(const ItemIcons& icons, std::uint8_t mediaType, std::uint8_t flags);

// "file,index" as the shell's DefaultIcon values give it; quotes around the
// file are dropped, no index means 0. A negative index is a resource id and
// stays negative, as the icon extraction takes it.
struct IconLocation {
    std::string file;
    int index = 0;
};
std::optional<IconLocation> ParseIconLocation(std::string_view text);

class IconResolver {
public:
    virtual ~IconResolver() = default;
    // The file type's name, empty when the extension has none.
    virtual std::string typeName(const std::string& ext) = 0;
    // Extracts the extension's icon into the image lists; its index, or nothing.
    virtual std::optional<int> addIcon(const std::string& ext) = 0;
};

class ExtensionIconCache {
public:
    ExtensionIconCache(const ItemIcons& icons, IconResolver& resolver) : icons_(icons), resolver_(resolver) {}

    // The icon for a file name; looks an unknown extension up once.
    int addIcon(std::string_view fileName);
    // The icon of an extension (without dot, any case) already looked up.
    std::optional<int> findExt(std::string_view ext) const;
    // "(unknown)" when the extension has no type name; empty when not looked up.
    std::string typeName(std::string_view ext) const;

private:
    struct Entry {
        int index;
        std::string typeName;
    };
    const Entry& resolve(const std::string& key);

    const ItemIcons& icons_;
    IconResolver& resolver_;
    std::unordered_map<std::string, Entry> entries_;
};

}  // namespace kv

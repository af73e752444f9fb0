#include "controls/IconList.h"

#include <shellapi.h>

#include "resources/ResourceIds.h"
#include "system/settings/RegistryExWin32.h"

namespace kv {

namespace {

// Shell icon numbers in the order the item kinds take them; 17 has no item kind
// but keeps its place, as the indexes of the program's icons follow.
constexpr int kShellIcons[] = {0, 2, 3, 4, 8, 11, 6, 5, 9, 17, 7, 12};

const char kShellIconsKey[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";

std::string expandEnvironment(const std::string& text) {
    char out[MAX_PATH * 2] = {};
    const DWORD n = ExpandEnvironmentStringsA(text.c_str(), out, sizeof out);
    return n > 0 && n <= sizeof out ? std::string(out) : text;
}

std::optional<std::string> classesDefault(const std::string& path) {
    TRegistryEx reg(HKEY_CLASSES_ROOT);
    if (!reg.OpenKeyReadOnly("\\" + path))
        return std::nullopt;
    auto value = reg.ReadString("");
    if (value && value->empty())
        return std::nullopt;
    return value;
}

}  // namespace

bool ExtractIconPair(const std::string& file, int index, HICON& small, HICON& large) {
    small = nullptr;
    large = nullptr;
    ExtractIconExA(file.c_str(), index, &large, &small, 1);
    if (small && large)
        return true;
    if (small)
        DestroyIcon(small);
    if (large)
        DestroyIcon(large);
    small = large = nullptr;
    return false;
}

// Finds an extension's icon through the classes root.
class TIconList::ShellResolver : public IconResolver {
public:
    explicit ShellResolver(TIconList& owner) : owner_(owner) {}

    std::string typeName(const std::string& ext) override {
        const auto fileType = classesDefault("." + ext);
        if (!fileType)
            return {};
        return classesDefault(*fileType).value_or("");
    }

    std::optional<int> addIcon(const std::string& ext) override {
        const auto fileType = classesDefault("." + ext);
        if (!fileType)
            return std::nullopt;
        auto location = classesDefault(*fileType + "\\DefaultIcon");
        if (!location)
            if (const auto clsid = classesDefault(*fileType + "\\CLSID"))
                location = classesDefault("CLSID\\" + *clsid + "\\DefaultIcon");
        if (!location)
            return std::nullopt;
        const auto parsed = ParseIconLocation(*location);
        // "%1": the icon comes from each file itself, through a shell extension.
        if (!parsed || parsed->file == "%1")
            return std::nullopt;
        HICON small = nullptr, large = nullptr;
        if (!ExtractIconPair(expandEnvironment(parsed->file), parsed->index, small, large))
            return std::nullopt;
        const int index = owner_.addPair(small, large);
        DestroyIcon(small);
        DestroyIcon(large);
        return index < 0 ? std::nullopt : std::optional<int>(index);
    }

private:
    TIconList& owner_;
};

TIconList::TIconList(TIconImageList& small, TIconImageList& large, HINSTANCE resources)
    : small_(small), large_(large), resolver_(std::make_unique<ShellResolver>(*this)) {
    int shell[std::size(kShellIcons)];
    for (std::size_t i = 0; i < std::size(kShellIcons); ++i)
        shell[i] = addShellIcon(kShellIcons[i]);
    icons_.unknownFile = shell[0];
    icons_.application = shell[1];
    icons_.closedFolder = shell[2];
    icons_.openFolder = shell[3];
    icons_.hardDisk = shell[4];
    icons_.cdRom = shell[5];
    icons_.floppy35 = shell[6];
    icons_.floppy525 = shell[7];
    icons_.network = shell[8];
    icons_.removable = shell[10];
    icons_.ramDisk = shell[11];

    icons_.catalog = addResourceIcon(resources, IDI_CATALOGICON);
    icons_.tape = addResourceIcon(resources, IDI_TAPEICON);
    icons_.zipDrive = addResourceIcon(resources, IDI_ZIPDRIVEICON);
    icons_.jazDrive = addResourceIcon(resources, IDI_JAZDRIVEICON);
    icons_.back = addResourceIcon(resources, IDI_BACKICON);
    icons_.setup = addResourceIcon(resources, IDI_SETUPICON);
    icons_.archiveFolder = addResourceIcon(resources, IDI_ZIPFOLDER);
    icons_.archiveOpenFolder = addResourceIcon(resources, IDI_ZIPOPENFOLDER);
    icons_.virtualDisk = addResourceIcon(resources, IDI_VIRTUALICON);
    icons_.sortUp = addResourceIcon(resources, IDI_SORTARROWUP);
    icons_.sortDown = addResourceIcon(resources, IDI_SORTARROWDOWN);

    cache_ = std::make_unique<ExtensionIconCache>(icons_, *resolver_);
}

TIconList::~TIconList() = default;

int TIconList::addPair(HICON small, HICON large) {
    const int index = small_.tryAddIcon(small);
    const int other = large_.tryAddIcon(large);
    // The lists share indexes; a picture one of them refused would shift every later one.
    if (index < 0 || other != index) {
        if (other >= 0)
            ImageList_Remove(large_.handle(), other);
        if (index >= 0)
            ImageList_Remove(small_.handle(), index);
        return -1;
    }
    return index;
}

int TIconList::addOwnedPair(HICON small, HICON large) {
    if (!small || !large) {
        if (small)
            DestroyIcon(small);
        if (large)
            DestroyIcon(large);
        // A stand-in keeps the later indexes where the item kinds expect them.
        small = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
        large = CopyIcon(small);
    }
    const int added = addPair(small, large);
    DestroyIcon(small);
    DestroyIcon(large);
    return added < 0 ? 0 : added;
}

int TIconList::addShellIcon(int number) {
    std::string file = "SHELL32.DLL";
    int index = number;
    TRegistryEx reg(HKEY_LOCAL_MACHINE);
    if (reg.OpenKeyReadOnly(kShellIconsKey))
        if (const auto custom = reg.ReadString(std::to_string(number)))
            if (const auto parsed = ParseIconLocation(*custom)) {
                file = expandEnvironment(parsed->file);
                index = parsed->index;
            }
    HICON small = nullptr, large = nullptr;
    // The shell's own icons are taken by resource id (number + 1): the index
    // counts every icon group of the file, and a shell32 that carries named
    // groups first (Wine's) shifts the indexes, giving a document for a folder.
    const bool byId = file == "SHELL32.DLL" && index == number;
    if (!(byId && ExtractIconPair(file, -(number + 1), small, large)) &&
        !ExtractIconPair(file, index, small, large))
        ExtractIconPair("SHELL32.DLL", number, small, large);
    return addOwnedPair(small, large);
}

int TIconList::addResourceIcon(HINSTANCE module, int id) {
    auto load = [&](int size) {
        return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    };
    return addOwnedPair(load(small_.size()), load(large_.size()));
}

}  // namespace kv

#include "shell/settings/SettingsStore.h"

#include <string>
#include <utility>

#include "shell/settings/SettingsValues.h"
#include "shell/settings/SettingsWords.h"
#include "system/settings/SectionStore.h"

namespace kv {

namespace {

// The program's values lie in the store's root section.
constexpr std::string_view kRoot;

std::string FontValueName(std::size_t slot) { return "Font" + std::to_string(slot); }

std::vector<std::uint8_t> WordBytes(std::uint32_t word) {
    return {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8),
            static_cast<std::uint8_t>(word >> 16), static_cast<std::uint8_t>(word >> 24)};
}

std::uint32_t WordOf(const std::vector<std::uint8_t>& bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// Reads values by their rules; `bad` collects the failures that ask for the
// repaired value to be written back.
class ValueReader {
public:
    explicit ValueReader(const SectionStore& store) : store_(store) {}

    // A binary value of exactly `size` bytes; anything else is a failure.
    std::optional<std::vector<std::uint8_t>> fixed(std::string_view name, std::size_t size) {
        if (store_.KindOf(kRoot, name) == StoredKind::Binary)
            if (auto bytes = store_.ReadBinary(kRoot, name); bytes && bytes->size() == size) return bytes;
        bad = true;
        return std::nullopt;
    }

    // A binary value of 1..`maxSize` bytes; anything else counts as absent.
    std::optional<std::vector<std::uint8_t>> variable(std::string_view name, std::size_t maxSize) const {
        if (store_.KindOf(kRoot, name) != StoredKind::Binary) return std::nullopt;
        auto bytes = store_.ReadBinary(kRoot, name);
        if (!bytes || bytes->empty() || bytes->size() > maxSize) return std::nullopt;
        return bytes;
    }

    // Text; missing reads as empty, another kind is a failure.
    std::optional<std::string> text(std::string_view name) {
        switch (store_.KindOf(kRoot, name)) {
        case StoredKind::Missing: return std::string();
        case StoredKind::Text:
            if (auto value = store_.ReadString(kRoot, name)) return value;
            break;
        default: break;
        }
        bad = true;
        return std::nullopt;
    }

    bool bad = false;

private:
    const SectionStore& store_;
};

}  // namespace

Settings MakeInitialSettings(const PlatformDefaults& defaults) {
    Settings s;
    s.extractFolder = defaults.tempDir;
    s.catalogFolder = defaults.programDir;
    s.externalViewerPath = defaults.windowsDir + "\\NOTEPAD.EXE";
    for (std::size_t slot = 0; slot < s.fonts.size(); ++slot) s.fonts[slot].font = defaults.systemFonts[slot];
    for (int slot : {2, 5}) s.fonts[slot] = FontSlot{true, FontData{-15, 0, "Courier New"}};
    return s;
}

SettingsStore::SettingsStore(PlatformDefaults defaults)
    : defaults_(std::move(defaults)), settings_(MakeInitialSettings(defaults_)) {}

void SettingsStore::Load(const SectionStore& store) {
    Settings s = MakeInitialSettings(defaults_);
    if (!store.SectionExists(kRoot)) {
        settings_ = std::move(s);
        modified_ = true;
        return;
    }
    ValueReader read(store);
    for (const SettingsWordValue& word : SettingsWordValues()) {
        auto bytes = read.fixed(word.name, 4);
        if (!DecodeSettingsWord(word.word, bytes ? WordOf(*bytes) : word.defaultWord, s)) read.bad = true;
    }
    for (std::size_t slot = 0; slot < s.fonts.size(); ++slot)
        if (auto bytes = read.variable(FontValueName(slot), kMaxFontValueSize))
            if (auto font = DecodeFontValue(*bytes)) s.fonts[slot].font = std::move(*font);
    if (auto bytes = read.fixed("ImportDescOrder", 4)) {
        if (auto order = DecodeDescOrder(*bytes))
            s.descOrder = *order;
        else
            read.bad = true;
    }
    if (auto bytes = read.variable("CustomToolbar", kMaxToolbarValueSize))
        s.toolbarLayout = DropRepeatedToolbarEntries(*bytes);

    if (auto text = read.text("Autoload")) s.autoloadList = FromCommaText(*text);
    if (auto text = read.text("DescFiles")) s.descPatterns = FromCommaText(*text);
    auto folder = [&](std::string_view name, std::string& field, const std::string& fallback) {
        if (auto text = read.text(name); text && !text->empty()) field = std::move(*text);
        if (defaults_.folderExists && !defaults_.folderExists(field)) field = fallback;
    };
    folder("TempDir", s.extractFolder, defaults_.tempDir);
    folder("CatalogDir", s.catalogFolder, defaults_.programDir);
    if (auto text = read.text("ExternalViewer"); text && !text->empty()) s.externalViewerPath = std::move(*text);
    if (auto text = read.text("ExternalShell"); text && !text->empty()) s.externalShellPath = std::move(*text);

    settings_ = std::move(s);
    modified_ = read.bad;
}

SettingsSaveResult SettingsStore::Save(SectionStore& store) {
    if (!store.OpenSectionForWriting(kRoot)) {
        // Trying again would only fail again; the caller tells the user.
        modified_ = false;
        return SettingsSaveResult::KeyFailed;
    }
    const Settings& s = settings_;
    bool ok = true;
    auto binary = [&](std::string_view name, const std::vector<std::uint8_t>& bytes) {
        ok = store.WriteBinary(kRoot, name, bytes) && ok;
    };
    auto word = [&](SettingsWord w) { binary(WordValue(w).name, WordBytes(EncodeSettingsWord(w, s))); };
    auto text = [&](std::string_view name, std::string_view value) {
        ok = store.WriteString(kRoot, name, value) && ok;
    };

    word(SettingsWord::UseFontData);
    for (std::size_t slot = 0; slot < s.fonts.size(); ++slot)
        binary(FontValueName(slot), EncodeFontValue(s.fonts[slot].font));
    binary("ImportDescOrder", EncodeDescOrder(s.descOrder));
    binary("CustomToolbar", s.toolbarLayout);
    for (SettingsWord w : {SettingsWord::Settings, SettingsWord::AdvSettings, SettingsWord::Settings2,
                           SettingsWord::ArchiveSupport})
        word(w);
    text("Autoload", ToCommaText(s.autoloadList));
    text("DescFiles", ToCommaText(s.descPatterns));
    text("TempDir", s.extractFolder);
    text("CatalogDir", s.catalogFolder);
    text("ExternalViewer", s.externalViewerPath);
    text("ExternalShell", s.externalShellPath);
    binary("RevisionMarker", {kSettingsRevision});
    // Anything not written keeps the flag, so the exit save tries again.
    if (!ok) return SettingsSaveResult::ValueFailed;
    modified_ = false;
    return SettingsSaveResult::Saved;
}

FontData SettingsStore::GetFontData(std::size_t slot) const {
    const FontSlot& f = settings_.fonts.at(slot);
    return f.custom ? f.font : defaults_.systemFonts.at(slot);
}

void SettingsStore::FitToolbarLayout(std::span<const ToolbarControl> controls) {
    settings_.toolbarLayout = NormalizeToolbarLayout(settings_.toolbarLayout, controls);
}

}  // namespace kv

#pragma once
// Every user setting of the program in one record. The settings dialog edits a
// draft copy; everything else reads the store's record. The registry form of
// each field (value, bits, initial and default state) lives in the codecs.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

enum class DockSide : std::uint8_t { Top, Bottom, Left, Right };
// What happens to extracted temporary files at exit.
enum class TempRemoval : std::uint8_t { Ask, Delete, Leave };
// Action of a double click on a file; Unset is "nothing chosen" on a first start.
enum class DblClick : std::int8_t { Unset = -1, Nothing, Properties, Explorer, Launch, View, DescAssist };
// Description sources, by their code.
enum class DescSource : std::uint8_t { FileIdDiz, FilesBbs, DescriptIon, ArchiveComment };

// Style bits: 1 bold, 2 italic, 4 underline, 8 strike-out.
struct FontData {
    std::int32_t height = 0;
    std::uint8_t style = 0;
    std::string face;
    bool operator==(const FontData&) const = default;
};

struct FontSlot {
    bool custom = false;
    FontData font;
    bool operator==(const FontSlot&) const = default;
};

// The font slots, in the dialog's order.
enum class FontUse : std::uint8_t { CatalogTree, FileList, PropertiesDesc, DescFileText, DescTips, Viewer };

// What the system gives for folders and default fonts.
struct PlatformDefaults {
    std::string tempDir;
    std::string programDir;
    std::string windowsDir;
    // Empty: every folder counts as existing.
    std::function<bool(const std::string&)> folderExists;
    // The system's font for each slot that has no custom font of its own.
    std::array<FontData, 6> systemFonts{};
};

struct Settings {
    // "Settings"
    std::uint8_t buttonSize = 2;            // 0..7
    DockSide dock = DockSide::Top;
    bool toolbarVisible = true;
    bool toolbarFloating = false;
    bool browseArchives = true;
    bool showUpRow = true;
    bool descTips = true;
    bool statusBar = true;
    bool autoload = false;
    bool tipsAtStart = true;
    bool descAssistSubfolders = false;
    std::uint8_t tipDelayTenths = 12;       // 0..20
    std::uint8_t tipHideSeconds = 5;        // 0..15
    std::uint8_t descAssistDepth = 2;       // 1..8
    bool truncateDesc = false;
    std::uint8_t truncateLines = 3;         // 1..15
    // "AdvSettings"
    bool keepCurrentDesc = true;
    bool keepDiskName = true;
    bool ignoreHiddenFiles = true;
    bool ignoreHiddenFolders = true;
    bool autoSave = true;
    std::uint8_t autoSaveMinutes = 15;      // 2..240
    bool ignoreRecycle = true;
    bool archivesAsFolders = true;
    bool oldButtons = false;
    DblClick dblClick = DblClick::Unset;
    TempRemoval tempRemoval = TempRemoval::Ask;
    bool restoreArchiveDirs = false;
    bool ejectAfterScan = true;
    bool archiveDescOnly = false;
    bool archiveQuickScan = false;
    bool allowSerialChange = true;
    bool askSerialChange = true;
    bool formattedSizes = true;
    bool createBak = true;
    bool externalViewer = false;
    // "Settings2"
    bool shortcutsInHints = true;
    bool shortNamesForViewer = false;
    bool disableSmoothTree = true;
    bool autohideTips = false;
    // "ImportDescOrder": the source at each priority; "descEnabled" by source code.
    std::array<DescSource, 4> descOrder{DescSource::FileIdDiz, DescSource::DescriptIon, DescSource::FilesBbs,
                                        DescSource::ArchiveComment};
    std::array<bool, 4> descEnabled{};
    // "ArchiveSupport": index = archive type - 1.
    std::array<bool, 14> archiveEnabled{true, true, true, true, true, true, true,
                                        true, true, true, true, true, true, true};
    // "UseFontData" and "Font0".."Font5".
    std::array<FontSlot, 6> fonts{};
    // "CustomToolbar": a button's tag, 0 a separator, 255 the "Unused Buttons" marker.
    // Empty: the toolbar's own order (see NormalizeToolbarLayout).
    std::vector<std::uint8_t> toolbarLayout;
    std::vector<std::string> autoloadList;  // "Autoload"
    std::vector<std::string> descPatterns{"FILE_ID.DIZ", "DESCRIPT.ION", "*.NFO", "*.TXT"};  // "DescFiles"
    std::string extractFolder;              // "TempDir"
    std::string catalogFolder;              // "CatalogDir"
    std::string externalViewerPath;         // "ExternalViewer"
    std::string externalShellPath;          // "ExternalShell"

    bool operator==(const Settings&) const = default;
};

}  // namespace kv

// scanfolder PATH OUT.ctf [--no-archives] [--no-descriptions] [--update]
// Catalogues PATH (a drive root or a folder, which becomes a disk with that
// folder as its virtual root) with the scan engine and the program's default
// settings (every description source on), the way the Add/Update Disk dialog does without its questions, and
// saves the catalog as OUT.ctf. With --update and an existing OUT.ctf the disk
// matching PATH's volume is updated instead of a new one added. Status 0 on
// success; 1 with a message on standard error, OUT.ctf untouched, otherwise.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "archive/ArchiveContext.h"
#include "archive/TempExtraction.h"
#include "base/Errors.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/file/CatalogSave.h"
#include "catalog/media/SystemDrives.h"
#include "catalog/model/Forest.h"
#include "scan/DiskMatching.h"
#include "scan/DiskScanner.h"
#include "scan/ScanExtractFolderWin32.h"
#include "shell/commands/ScanDefaults.h"
#include "shell/settings/SettingsStore.h"
#include "system/files/FileQueries.h"
#include "tests/tools/QuietExtractionUi.h"
#include "tests/tools/ToolSave.h"

namespace kv {
namespace {

struct Args {
    std::string path;
    std::string out;
    bool noArchives = false;
    bool noDescriptions = false;
    bool update = false;
};

std::optional<Args> ParseArgs(int argc, char** argv) {
    Args a;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-archives") a.noArchives = true;
        else if (arg == "--no-descriptions") a.noDescriptions = true;
        else if (arg == "--update") a.update = true;
        else if (arg.rfind("--", 0) == 0) return std::nullopt;
        else if (positional == 0) a.path = arg, ++positional;
        else if (positional == 1) a.out = arg, ++positional;
        else return std::nullopt;
    }
    if (positional != 2) return std::nullopt;
    return a;
}

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    if (n == 0 || n >= MAX_PATH) throw std::runtime_error("Cannot resolve the path " + path);
    return buffer;
}

// The settings of a first start.
Settings DefaultSettings() {
    PlatformDefaults platform;
    char temp[MAX_PATH];
    if (GetTempPathA(MAX_PATH, temp)) platform.tempDir = temp;
    return MakeInitialSettings(platform);
}

ScanOptions OptionsFrom(const Settings& s, const Args& args) {
    ScanOptions o = ScanDefaults(s);
    o.browseArchives = o.browseArchives && !args.noArchives;
    // A first start has every source switched off until the user picks them;
    // the tool reads them all, in the settings' order, unless told not to.
    o.importDiz = o.importBbs = o.import4Dos = o.importComment = !args.noDescriptions;
    return o;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void Run(const Args& args) {
    const std::string path = FullPath(args.path);
    const std::string out = FullPath(args.out);
    if (path.size() < 2 || path[1] != ':') throw std::runtime_error("Not a path on a drive: " + path);
    const char letter = path[0] >= 'a' && path[0] <= 'z' ? static_cast<char>(path[0] - 32) : path[0];
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw std::runtime_error("No such folder: " + path);
    // "X:\a\b" is drive X with the virtual root "\a\b\"; "X:\" is the whole drive.
    std::string virtualRoot = path.substr(2);
    if (virtualRoot.empty() || virtualRoot.back() != '\\') virtualRoot += '\\';
    if (virtualRoot == "\\") virtualRoot.clear();

    const Settings settings = DefaultSettings();
    Forest forest;
    Node* catalog = nullptr;
    const bool existing = args.update && PathExists(out);
    if (existing) {
        catalog = ReadCatalogFile(forest, out);
    } else {
        catalog = &forest.addRoot(BaseName(out));
        (void)catalog->setRecord(std::make_unique<TCatalogRec>());
    }

    TDiskRec volume;
    InitDiskRecord(letter, volume);
    Node* updated = nullptr;
    if (existing) {
        MediumChoice medium;
        medium.volume = &volume;
        medium.letter = letter;
        medium.virtualRoot = virtualRoot;
        medium.folderExists = [](const std::string& folder) { return PathExists(folder); };
        const std::vector<Node*> matches = FindMatchingDisks(*catalog, medium);
        if (!matches.empty()) updated = matches.front();
    }

    std::unique_ptr<IFileSystem> files = MakeSystemFileSystem();
    std::unique_ptr<arc::ArchiveContext> archives = arc::ArchiveContext::System();
    tools::QuietExtractionUi extractionUi;
    arc::TempExtraction extraction(*archives, extractionUi);
    IScanProgress progress;
    ScanServices services(*files, progress);
    services.archives = archives.get();
    services.extraction = &extraction;
    // A folder of its own: a file of the same name in the temporary folder is never touched.
    ScanExtractFolder extractFolder(files->TempFolder());
    services.extractDir = extractFolder.path();
    DiskScanner scanner(services, OptionsFrom(settings, args));

    ScanRequest request;
    request.catalog = catalog;
    request.diskName = updated && settings.keepDiskName ? updated->text() : volume.label;
    request.letter = letter;
    request.virtualRoot = virtualRoot;
    request.updatedDisk = updated;
    request.initDiskRecord = [letter](TDiskRec& disk) { InitDiskRecord(letter, disk); };
    if (!scanner.ScanDisk(request))
        throw std::runtime_error("The scan failed: " +
                                 (scanner.FailureText().empty() ? std::string("cancelled") : scanner.FailureText()));

    std::string messages;
    tools::CollectingPrompt prompt(messages);
    tools::FixedName dialog(out);
    SaveEnvironment env(*files, prompt, dialog);
    if (SaveCatalog(catalog, !existing, env) != SaveResult::Saved)
        throw std::runtime_error("Saving " + out + " failed\n" + messages);
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    const std::optional<kv::Args> args = kv::ParseArgs(argc, argv);
    if (!args) {
        std::fprintf(stderr, "usage: scanfolder PATH OUT.ctf [--no-archives] [--no-descriptions] [--update]\n");
        return 1;
    }
    try {
        kv::Run(*args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "scanfolder: %s\n", e.what());
        return 1;
    }
    return 0;
}

#pragma once
// The main window in the test's process: a registry key of its own, catalogs
// written by the program's own writer, a scripted prompt.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/ByteSink.h"
#include "catalog/file/CatalogWrite.h"
#include "shell/main/MainFormWin32.h"
#include "shell/settings/SettingsStore.h"
#include "system/settings/RegistrySectionStoreWin32.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv::test {

inline constexpr const char* kShellTestKey = "\\Software\\Talvenmoor\\Korvalder? Shell Tests";

inline void DeleteShellTestKey() { RegDeleteTreeA(HKEY_CURRENT_USER, std::string(kShellTestKey).substr(1).c_str()); }

// A small catalog file, as the program writes them.
inline void WriteTestCatalog(const std::string& path, const std::string& name) {
    ModelFixture model;
    model.forest.setText(*model.catalog, name);
    FileSink sink(path);
    EncodeCatalog(*model.catalog, sink);
    sink.close();
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
    }
    return bytes;
}

// The child of the node with this text; null when none.
inline Node* Child(Node& parent, std::string_view name) {
    for (const auto& child : parent.children())
        if (child->text() == name)
            return child.get();
    return nullptr;
}

class ShellTest : public ::testing::Test {
protected:
    ShellTest() : store(HKEY_CURRENT_USER, kShellTestKey), files(scratch), settings(PlatformDefaults{}) {
        DeleteShellTestKey();
        files.lockOpenFiles = false;
    }
    ~ShellTest() override {
        main.reset();
        ui::Application& app = ui::Application::instance();
        app.setPrompt(nullptr);
        app.onIdle = nullptr;
        app.setMainForm(nullptr);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT) DispatchMessageA(&msg);
        DeleteShellTestKey();
    }

    MainFormServices services() {
        MainFormServices s{
            settings, store, kShellTestKey, commandLine, files, nullptr, {}, {}, {}, {}, nullptr, nullptr, {}, {}, {}};
        s.runSetupWizard = [this] { calls.push_back("wizard"); };
        s.openTips = [this] { calls.push_back("tips"); };
        s.scanMachine = scanMachine;
        s.extraction = extraction;
        s.archives = archives;
        s.locateMedium = locateMedium;
        s.mediumRoot = mediumRoot;
        return s;
    }
    MainForm& makeMain() {
        ui::Application::instance().setPrompt(&prompt);
        main = std::make_unique<MainForm>(services());
        ui::Application::instance().setMainForm(main.get());
        return *main;
    }
    std::string catalogFile(const std::string& name) {
        std::string path = scratch.file(name);
        WriteTestCatalog(path, name);
        return path;
    }
    bool keyExists(const std::string& sub = "") {
        std::string path = std::string(kShellTestKey).substr(1) + (sub.empty() ? "" : "\\" + sub);
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    ScratchFolder scratch;
    RegistrySectionStore store;
    FaultyFileSystem files;
    SettingsStore settings;
    ui::ScriptedPrompt prompt;
    std::vector<std::string> commandLine;
    std::vector<std::string> calls;
    std::function<void(AddDiskServices&, AddUpdateServices&)> scanMachine;
    arc::ArchiveContext* archives = nullptr;
    arc::TempExtraction* extraction = nullptr;
    std::function<std::optional<char>(const ItemHead*)> locateMedium;
    std::function<std::string(char)> mediumRoot;
    std::unique_ptr<MainForm> main;
};

}  // namespace kv::test

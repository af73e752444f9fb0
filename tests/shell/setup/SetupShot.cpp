// The settings dialog's eight pages, the wizard's eleven and the columns
// setup on a real display (tools/wine-x11-run): each picture is checked for
// controls left blank and saved.   setupshot OUTPUT-PREFIX
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/setup/ColumnsFormWin32.h"
#include "shell/setup/OptionsFormWin32.h"
#include "shell/setup/WizardFormWin32.h"
#include "system/settings/MemorySectionStore.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "ui/Application.h"

namespace {

BOOL CALLBACK addVisible(HWND child, LPARAM data) {
    auto& list = *reinterpret_cast<kv::test::NamedControls*>(data);
    RECT r{};
    GetWindowRect(child, &r);
    if (IsWindowVisible(child) && r.right - r.left > 4 && r.bottom - r.top > 4) {
        char cls[64] = {}, text[48] = {};
        GetClassNameA(child, cls, sizeof cls);
        GetWindowTextA(child, text, sizeof text);
        list.push_back({std::string(cls) + " '" + text + "'", child});
    }
    return TRUE;
}

// The visible windows inside parent, by their class and text.
kv::test::NamedControls visibleChildren(HWND parent) {
    kv::test::NamedControls controls;
    EnumChildWindows(parent, addVisible, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

// Shoots the window until no control of it is blank; the number of blank ones.
int shoot(kv::ui::Form& form, const std::string& name, const std::string& path) {
    SetForegroundWindow(form.hwnd());
    const kv::test::NamedControls controls = visibleChildren(form.hwnd());
    const SIZE size = kv::test::WindowSize(form.hwnd());
    kv::ui::BitmapCanvas shot(size.cx, size.cy);
    const POINT origin = kv::test::WindowOrigin(form.hwnd());
    kv::test::ShootOwnWindow(form.hwnd(), shot, origin,
                             [&] { return kv::test::BlankControls(shot, controls, origin).empty(); });
    const std::vector<std::string> blank = kv::test::BlankControls(shot, controls, origin);
    for (const std::string& c : blank) std::printf("%s: blank %s\n", name.c_str(), c.c_str());
    std::printf("%s: %zu controls, %zu blank\n", name.c_str(), controls.size(), blank.size());
    if (!kv::test::saveBitmap(shot, path)) {
        std::printf("cannot write %s\n", path.c_str());
        return 1;
    }
    return static_cast<int>(blank.size());
}

kv::PlatformDefaults defaults() {
    kv::PlatformDefaults d;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    d.tempDir = temp;
    d.programDir = "C:\\windows";
    d.windowsDir = "C:\\windows";
    for (auto& f : d.systemFonts) f = kv::FontData{-11, 0, "Tahoma"};
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: setupshot OUTPUT-PREFIX\n");
        return 2;
    }
    const std::string prefix = argv[1];
    kv::MemorySectionStore registry;
    kv::SettingsStore settings(defaults());
    settings.Load(registry);
    settings.Update([](kv::Settings& s) {
        s.autoloadList = {"C:\\Catalogs\\CDs.ctf", "C:\\Catalogs\\Floppies.ctf"};
        s.autoload = true;
        s.externalViewer = true;
        s.toolbarLayout = {1, 2, 0, 3, 255, 4};
    });
    int blank = 0;
    {
        kv::TOptionsForm options(kv::OptionsServices(settings, registry));
        kv::ui::Application::instance().setMainForm(&options);
        options.Prepare(1);
        options.show();
        for (int page = 1; page <= kv::kOptionsPages; ++page) {
            options.pages().setActivePage(page - 1);
            blank += shoot(options, "settings page " + std::to_string(page),
                           prefix + "-settings-" + std::to_string(page) + ".bmp");
        }
        options.hide();
        kv::ui::Application::instance().setMainForm(nullptr);
    }
    {
        kv::TWizardForm wizard(kv::WizardServices(settings, registry));
        kv::ui::Application::instance().setMainForm(&wizard);
        wizard.Prepare(true);
        wizard.show();
        for (int page = 0; page < kv::kWizardPages; ++page) {
            wizard.showPage(page);
            blank += shoot(wizard, "wizard page " + std::to_string(page + 1),
                           prefix + "-wizard-" + std::to_string(page + 1) + ".bmp");
        }
        wizard.hide();
        kv::ui::Application::instance().setMainForm(nullptr);
    }
    {
        kv::TColumnsForm columns(kv::ColumnsServices{});
        kv::ui::Application::instance().setMainForm(&columns);
        columns.Prepare(kv::ColumnsList::MainFiles);
        columns.show();
        blank += shoot(columns, "columns setup", prefix + "-columns.bmp");
        columns.hide();
        kv::ui::Application::instance().setMainForm(nullptr);
    }
    std::printf(blank == 0 ? "every control drawn\n" : "blank controls\n");
    return blank == 0 ? 0 : 1;
}

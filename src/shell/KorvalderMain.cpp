// Program entry: one instance, the splash, the main window and the long-lived
// windows in their order, the message loop, and what exit leaves to do.
#include <windows.h>

#include <cstdlib>

#include "archive/ArchiveContext.h"
#include "archive/ExtractionUiWin32.h"
#include "archive/TempExtraction.h"
#include "resources/ResourceIds.h"
#include "shell/app/CloseAppFormWin32.h"
#include "shell/app/PlatformDefaultsWin32.h"
#include "shell/app/ProgramExit.h"
#include "shell/app/ProgramIdentity.h"
#include "shell/app/SingleInstanceWin32.h"
#include "shell/app/SplashFormWin32.h"
#include "shell/main/MainFormWin32.h"
#include "shell/settings/SettingsStore.h"
#include "system/files/FileSystem.h"
#include "system/settings/FileTypeRegistrationWin32.h"
#include "system/settings/RegistrySectionStoreWin32.h"
#include "ui/Application.h"
#include "ui/SharedImages.h"

namespace {

kv::ui::WindowState stateFromShowCommand(int show) {
    switch (show) {
    case SW_SHOWMAXIMIZED: return kv::ui::WindowState::Maximized;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: return kv::ui::WindowState::Minimized;
    default: return kv::ui::WindowState::Normal;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    try {
        kv::SharedObjectsScope shared;
        // The program-wide list of files extracted to the temporary folder,
        // handled at exit by the temp-file option.
        std::unique_ptr<kv::arc::ArchiveContext> archives = kv::arc::ArchiveContext::System();
        kv::arc::WindowsExtractionUi extractionUi;
        kv::arc::TempExtraction extraction(*archives, extractionUi);

        const std::string programKey = kv::ProgramKeyFrom(std::getenv(kv::kProgramKeyVariable));
        const std::vector<std::string> args = kv::AbsoluteArguments(__argc, __argv);
        kv::StartupLock startupLock;
        kv::ActivateRunningInstance(args, startupLock);

        kv::ui::Application& app = kv::ui::Application::instance();
        // The class carries the program's icon in both sizes, so the window, its
        // caption and the task bar show the drawn ones, not one scaled.
        HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAINICON));
        HICON smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        kv::ui::Wnd::registerClass(kv::kMainWindowClass, CS_DBLCLKS, icon, smallIcon);

        kv::SplashForm splash;
        splash.show();
        UpdateWindow(splash.hwnd());

        app.title = kv::kProgramTitle;
        app.helpFile = "Korvalder.HLP";
        app.icon = icon;

        kv::RegistrySectionStore programStore(HKEY_CURRENT_USER, programKey);
        std::unique_ptr<kv::IFileSystem> files = kv::MakeSystemFileSystem();
        std::unique_ptr<kv::CloseAppForm> closingNotice;
        std::unique_ptr<kv::SettingsStore> settings;
        // The settings are read once the main window has wiped a key of
        // another revision; the store exists before, empty.
        settings = std::make_unique<kv::SettingsStore>(kv::MakePlatformDefaults());
        kv::MainFormServices services{
            *settings, programStore, programKey, args, *files, &splash, {}, {}, {}, {}, nullptr, nullptr, {}, {}, {}};
        services.registerFileType = [] { kv::RegisterCatalogFileType(); };
        services.archives = archives.get();
        services.extraction = &extraction;
        services.showClosingNotice = [&] {
            closingNotice = std::make_unique<kv::CloseAppForm>(icon);
            closingNotice->show();
            UpdateWindow(closingNotice->hwnd());
        };
        kv::MainForm main(services);
        app.setMainForm(&main);
        startupLock.release();

        settings->Load(programStore);

        main.setWindowState(stateFromShowCommand(show));
        main.show();
        UpdateWindow(main.hwnd());
        const int code = app.run();

        closingNotice.reset();
        kv::FinishProgram(*settings, programStore, extraction, app.prompt());
        return code;
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONSTOP);
        return 1;
    }
}

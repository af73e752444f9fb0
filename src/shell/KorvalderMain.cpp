// Program entry: makes the main window and runs the message loop.
#include <windows.h>

#include "resources/ResourceIds.h"
#include "system/settings/FileTypeRegistrationWin32.h"
#include "ui/SharedImages.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace {

// A second start of the program finds the running one by this class.
const char kMainWindowClass[] = "Korvalder? WndClass";
const char kProgramName[] = "Korvalder?";

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
        // The class carries the program's icon in both sizes, so the window, its
        // caption and the task bar show the drawn ones, not one scaled.
        HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAINICON));
        HICON smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        kv::ui::Wnd::registerClass(kMainWindowClass, CS_DBLCLKS, icon, smallIcon);

        kv::ui::Application& app = kv::ui::Application::instance();
        kv::ui::Form main;
        main.setWindowClassName(kMainWindowClass);
        main.setCaption(kProgramName);
        // The system picks the place, as for any program's new main window.
        main.setBounds(CW_USEDEFAULT, CW_USEDEFAULT, 800, 560);
        app.setMainForm(&main);
        main.createHandle();
        kv::RegisterCatalogFileType();
        main.setWindowState(stateFromShowCommand(show));
        main.show();
        UpdateWindow(main.hwnd());
        return app.run();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONSTOP);
        return 1;
    }
}

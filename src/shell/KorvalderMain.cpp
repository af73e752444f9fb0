// Program entry: registers the main window class and runs the message loop.
#include <windows.h>

#include "ResourceIds.h"
#include "base/Errors.h"
#include "catalog/FileTypeRegistration.h"
#include "catalog/SharedImages.h"
#include "ui/Window.h"

namespace {

const char kMainWindowClass[] = "Korvalder? WndClass";
const char kProgramName[] = "Korvalder?";

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    try {
        kv::SharedObjectsScope shared;
        HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAINICON));
        HICON smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), 0));
        kv::ui::WindowClass cls(kMainWindowClass, mainWindowProc, icon, smallIcon);
        kv::ui::UniqueWindow main(CreateWindowExA(0, cls.name().c_str(), kProgramName, WS_OVERLAPPEDWINDOW,
                                                  CW_USEDEFAULT, CW_USEDEFAULT, 800, 560, nullptr, nullptr,
                                                  instance, nullptr));
        if (!main) throw kv::Error("Cannot create the main window");
        kv::RegisterCatalogFileType();
        ShowWindow(main.get(), show);
        UpdateWindow(main.get());
        int code = kv::ui::runMessageLoop();
        main.release();  // already destroyed by the close
        return code;
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONSTOP);
        return 1;
    }
}

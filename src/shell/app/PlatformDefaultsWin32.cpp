#include "shell/app/PlatformDefaultsWin32.h"

#include "shell/app/SingleInstanceWin32.h"
#include "ui/Fonts.h"

namespace kv {

namespace {

std::string windowsFolder() {
    char buffer[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, n <= MAX_PATH ? n : 0);
}

}  // namespace

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n <= MAX_PATH ? n : 0);
    folder.resize(folder.find_last_of('\\') + 1);
    return folder;
}

PlatformDefaults MakePlatformDefaults() {
    PlatformDefaults d;
    d.tempDir = ParamsTempFolder();
    d.programDir = ProgramFolder();
    d.windowsDir = windowsFolder();
    d.folderExists = [](const std::string& folder) {
        // An empty floppy drive must not bring up the system's prompt.
        const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        SetErrorMode(old);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    // The tree and the item list default to the icon-title font, the rest
    // to the window layer's own default font.
    LOGFONTA iconTitle{};
    const bool haveIconTitle = SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    const FontData plain = FontDataOf(ui::toLogFont(ui::FontDescription{}));
    for (std::size_t slot = 0; slot < d.systemFonts.size(); ++slot)
        d.systemFonts[slot] = slot <= 1 && haveIconTitle ? FontDataOf(iconTitle) : plain;
    return d;
}

LOGFONTA LogFontOf(const FontData& font) {
    LOGFONTA lf{};
    lf.lfHeight = font.height;
    lf.lfWeight = (font.style & 1) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.style & 2) ? TRUE : FALSE;
    lf.lfUnderline = (font.style & 4) ? TRUE : FALSE;
    lf.lfStrikeOut = (font.style & 8) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
    return lf;
}

FontData FontDataOf(const LOGFONTA& font) {
    FontData data;
    data.height = font.lfHeight;
    data.style = static_cast<std::uint8_t>((font.lfWeight > FW_NORMAL ? 1 : 0) | (font.lfItalic ? 2 : 0) |
                                           (font.lfUnderline ? 4 : 0) | (font.lfStrikeOut ? 8 : 0));
    data.face.assign(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    return data;
}

}  // namespace kv

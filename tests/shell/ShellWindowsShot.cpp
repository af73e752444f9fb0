// The shell windows on a real display (tools/wine-x11-run): the Insert Media
// prompt, the Copy To progress and its two questions, the viewer with text, the
// folder browse dialog with its tree open, the about box and the tip window,
// each copied from the screen, checked that none of its controls is blank, and
// saved as a picture.
//   shellwindowsshot FOLDER   writes FOLDER/<window>-screen.bmp
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "shell/about/AboutFormsWin32.h"
#include "shell/copy/CopyToFormWin32.h"
#include "shell/copy/MediaFormWin32.h"
#include "shell/folderbrowse/BrowseFolderFormWin32.h"
#include "shell/settings/SettingsStore.h"
#include "shell/viewer/ViewerFormWin32.h"
#include "system/settings/MemorySectionStore.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

// Shows the window, copies it until every control is drawn, saves it.
bool Shoot(ui::Form& form, const char* what, const test::NamedControls& controls, const std::string& path) {
    form.show();
    SetForegroundWindow(form.hwnd());
    test::PaintFor(300);
    const SIZE size = test::WindowSize(form.hwnd());
    ui::BitmapCanvas shot(size.cx, size.cy);
    const POINT origin = test::WindowOrigin(form.hwnd());
    std::vector<std::string> blank;
    test::ShootOwnWindow(form.hwnd(), shot, origin, [&] {
        blank = test::BlankControls(shot, controls, origin);
        return blank.empty();
    });
    const bool saved = test::saveBitmap(shot, path);
    std::printf("%s: %s%s\n", what, blank.empty() ? "every control drawn" : "blank:", saved ? "" : " (picture not saved)");
    for (const std::string& name : blank) std::printf("  %s\n", name.c_str());
    form.hide();
    return blank.empty() && saved;
}

bool ShootMediaPrompt(const std::string& folder) {
    TMediaForm form;
    form.NameLabel.setText("Holiday Photos 2001");
    form.TypeLabel.setText("(Media type: CD-ROM)");
    form.ShowManualSelect = true;
    return Shoot(form, "Insert Media",
                 {{"animation", form.Animation.hwnd()}, {"prompt", form.PromptLabel.hwnd()},
                  {"name", form.NameLabel.hwnd()}, {"type", form.TypeLabel.hwnd()}, {"OK", form.OKButton.hwnd()},
                  {"Cancel", form.CancelButton.hwnd()}, {"Manual Select", form.ManualButton.hwnd()}},
                 folder + "\\media-prompt-screen.bmp");
}

bool ShootCopyProgress(const std::string& folder, IFileSystem& files, ui::UserPrompt& prompt) {
    TCopyToForm form(files, prompt, [](const CopyEntry&) { return std::optional<std::string>(); });
    form.Animation.setVisible(false);
    form.DiskLabel.setText("Holiday Photos 2001");
    form.DestLabel.SetFileName("C:\\Users\\Public\\Pictures\\Holiday");
    form.StatusLabel.SetFileName("Copying: T:\\Photos\\2001\\Day three\\IMG_0042.JPG");
    form.ProgressBar.setRange(0, 100);
    form.ProgressBar.setPosition(40);
    form.NumLabel.setText(CopyCountersText(12, 3456789));
    return Shoot(form, "Copy To progress",
                 {{"media caption", form.DiskCaptLabel.hwnd()}, {"media", form.DiskLabel.hwnd()},
                  {"destination caption", form.DestCaptLabel.hwnd()}, {"destination", form.DestLabel.hwnd()},
                  {"status", form.StatusLabel.hwnd()}, {"progress", form.ProgressBar.hwnd()},
                  {"total caption", form.Label1.hwnd()}, {"total", form.NumLabel.hwnd()},
                  {"Cancel", form.BtnCancel.hwnd()}},
                 folder + "\\copy-progress-screen.bmp");
}

bool ShootCopyQuestions(const std::string& folder) {
    TCopyMissingForm missing;
    missing.FileList.setItems({"T:\\Photos\\2001\\Day one", "T:\\Photos\\2001\\IMG_0007.JPG"});
    const bool listed = Shoot(missing, "Missing items",
                              {{"text", missing.Text1.hwnd()}, {"skipped", missing.Text2.hwnd()},
                               {"list caption", missing.Text3.hwnd()}, {"list", missing.FileList.hwnd()},
                               {"Continue", missing.BtnContinue.hwnd()}, {"Abort", missing.BtnAbort.hwnd()}},
                              folder + "\\copy-missing-screen.bmp");
    TOverwriteAskForm ask;
    ask.OldFileName.SetFileName("C:\\Users\\Public\\Pictures\\Holiday\\IMG_0042.JPG");
    ask.OldDetails.setText("(size: 1.21 MB, date: 03/08/2001, 14:02:10)");
    ask.NewFileName.SetFileName("T:\\Photos\\2001\\Day three\\IMG_0042.JPG");
    ask.NewDetails.setText("(size: 1.24 MB, date: 04/08/2001, 09:30:00)");
    const bool asked = Shoot(ask, "Replace item",
                             {{"icon", ask.Icon.hwnd()}, {"text", ask.Text1.hwnd()}, {"old", ask.OldFileName.hwnd()},
                              {"old details", ask.OldDetails.hwnd()}, {"new", ask.NewFileName.hwnd()},
                              {"new details", ask.NewDetails.hwnd()}, {"Yes", ask.YesButton.hwnd()},
                              {"No", ask.NoButton.hwnd()}, {"Cancel", ask.CancelButton.hwnd()},
                              {"same answer", ask.AllCheckBox.hwnd()}},
                             folder + "\\overwrite-screen.bmp");
    return listed && asked;
}

bool ShootViewer(const std::string& folder, SettingsStore& settings, ui::UserPrompt& prompt) {
    const std::string file = folder + "\\viewer-sample.txt";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 1; i <= 40; ++i)
            out << "Line " << i << " of the sample text the viewer shows, read straight from the medium.\r\n";
    }
    TViewerForm form(settings, prompt, nullptr, "");
    form.Load(file);
    DeleteFileA(file.c_str());
    return Shoot(form, "Viewer", {{"text", form.RichEdit.hwnd()}}, folder + "\\viewer-screen.bmp");
}

bool ShootFolderBrowse(const std::string& folder, SectionStore& store, ui::UserPrompt& prompt) {
    TBrowseFolderForm form(store, prompt);
    form.setCaption("Copy \"Photos\" to:");
    form.SetNumCheckBox(3);
    form.CheckBoxes[0].setText("Ask to overwrite existing files or folders");
    form.CheckBoxes[1].setText("Report selected items that are missing on the media");
    form.CheckBoxes[2].setText("Copy all sub-folders, if available");
    form.LoadCheckStates("CopyTo", -1);
    form.BrowseOnly = false;
    form.DirTree.RefreshTree();
    form.DirTree.SetDirectory("C:\\windows\\system32");
    return Shoot(form, "Folder browse",
                 {{"tree", form.DirTree.hwnd()}, {"path", form.DirLabel.hwnd()}, {"OK", form.OKBtn.hwnd()},
                  {"Cancel", form.CancelBtn.hwnd()}, {"New Folder", form.NewFolderBtn.hwnd()},
                  {"Rename", form.RenameBtn.hwnd()}, {"Delete", form.DeleteBtn.hwnd()},
                  {"Refresh", form.RefreshBtn.hwnd()}, {"option 1", form.CheckBoxes[0].hwnd()},
                  {"option 2", form.CheckBoxes[1].hwnd()}, {"option 3", form.CheckBoxes[2].hwnd()}},
                 folder + "\\folder-browse-screen.bmp");
}

bool ShootAbout(const std::string& folder) {
    TAboutDlg form;
    return Shoot(form, "About",
                 {{"logo", form.LogoImage.hwnd()}, {"program", form.ProgramLabel.hwnd()},
                  {"system", form.OSName.hwnd()}, {"version", form.OSVersion.hwnd()},
                  {"free memory", form.FreePhysical.hwnd()}, {"page file", form.PageFile.hwnd()},
                  {"own use", form.MyUsage.hwnd()}, {"OK", form.OKButton.hwnd()}},
                 folder + "\\about-screen.bmp");
}

bool ShootTips(const std::string& folder) {
    TTipsDialog form;
    return Shoot(form, "Tips",
                 {{"header", form.Header.hwnd()}, {"question", form.Question.hwnd()}, {"tip", form.TipLabel.hwnd()},
                  {"image", form.Image.hwnd()}, {"Next", form.btnNext.hwnd()},
                  {"Previous", form.btnPrevious.hwnd()}, {"Close", form.btnClose.hwnd()},
                  {"show at start", form.ShowOnStartup.hwnd()}},
                 folder + "\\tips-screen.bmp");
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: shellwindowsshot FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    kv::ui::ScriptedPrompt prompt;
    kv::MemorySectionStore store;
    kv::SettingsStore settings(kv::PlatformDefaults{});
    std::unique_ptr<kv::IFileSystem> files = kv::MakeSystemFileSystem();
    bool ok = true;
    ok &= kv::ShootMediaPrompt(folder);
    ok &= kv::ShootCopyProgress(folder, *files, prompt);
    ok &= kv::ShootCopyQuestions(folder);
    ok &= kv::ShootViewer(folder, settings, prompt);
    ok &= kv::ShootFolderBrowse(folder, store, prompt);
    ok &= kv::ShootAbout(folder);
    ok &= kv::ShootTips(folder);
    return ok ? 0 : 1;
}

// The maintenance windows on a real display (tools/wine-x11-run): each copied
// from the screen, checked that none of its controls is blank, and saved.
//   maintwindowsshot FOLDER   writes FOLDER/<window>-screen.bmp
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "scan/catmanager/CatManagerFormWin32.h"
#include "scan/categories/CategoriesFormWin32.h"
#include "scan/categories/SetCatFormWin32.h"
#include "scan/descassist/DescAssistFormWin32.h"
#include "scan/dosimport/ImportFormWin32.h"
#include "scan/properties/AdvDiskFormWin32.h"
#include "scan/properties/PropertiesFormWin32.h"
#include "system/drives/MediaTypes.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

std::string g_folder;
bool g_ok = true;

// The shown window copied until every named control is drawn, saved, and reported.
void Shoot(const char* name, HWND window, const test::NamedControls& controls) {
    const POINT origin = test::WindowOrigin(window);
    const SIZE size = test::WindowSize(window);
    ui::BitmapCanvas shot(size.cx, size.cy);
    std::vector<std::string> blank;
    test::ShootOwnWindow(window, shot, origin, [&] {
        blank = test::BlankControls(shot, controls, origin);
        return blank.empty();
    });
    const bool saved = test::saveBitmap(shot, g_folder + "\\" + name + "-screen.bmp");
    std::printf("%s: %s%s\n", name, blank.empty() ? "every control drawn" : "blank:", saved ? "" : " (picture not saved)");
    for (const std::string& b : blank) std::printf("  %s\n", b.c_str());
    g_ok = g_ok && blank.empty() && saved;
}

// While form runs modally: the picture, then close.
void WhileShown(ui::Form& form, const std::function<void()> shoot, const std::function<void()>& run) {
    uitest::TimerAction act(150, [&] {
        shoot();
        PostMessageA(form.hwnd(), WM_CLOSE, 0, 0);
    });
    run();
}

struct Shelf : test::ModelFixture {
    Node* zip = nullptr;
    TFileRec* file = nullptr;
    Node* second = nullptr;
    Shelf() {
        catalogRec().categories = {{"Games", 2}, {"Tools", 5}};
        catalogRec().flagNames = {"Red", "", "Blue"};
        TDiskRec& d = diskRec();
        d.volume.mediaType = MediaType::CdRom;
        d.volume.bytesPerSector = 2048;
        d.volume.sectorsPerCluster = 1;
        d.volume.totalClusters = 300000;
        d.volume.freeClusters = 90000;
        d.volume.serialNumber = 0x1A2B3C4D;
        d.volume.maxNameLength = 255;
        d.volume.fileCount = 1200;
        d.volume.folderCount = 40;
        d.volume.catalogued = 37000;
        d.label = "HOLIDAY";
        d.fileSystem = "CDFS";
        d.description = "Pictures of the holiday";
        file = folderRec(*a).files.first();
        file->stored.size = 123456;
        file->stored.modified = file->stored.created = file->stored.accessed = (21u << 25) | (3u << 21) | (4u << 16);
        file->stored.attributes = 0x21;
        file->description.assign("The first file");
        folderRec(*a).description = "Folder A";
        folderRec(*a).stored.totalSize = FixedSize::fromBytes(500000);
        Node& other = forest.addRoot("Second shelf");
        test::Attach(other, std::make_unique<TCatalogRec>());
        second = &other;
    }
};

void ShootProperties(Shelf& s) {
    TPropertiesForm form({});
    const struct {
        const char* name;
        Node* node;
        TFileRec* file;
        PropertyPage page;
    } cases[] = {{"properties-file", s.a, s.file, PropertyPage::File},
                 {"properties-folder", s.a, nullptr, PropertyPage::Folder},
                 {"properties-disk", s.disk, nullptr, PropertyPage::Disk},
                 {"properties-catalog", s.catalog, nullptr, PropertyPage::Catalog}};
    for (const auto& c : cases) {
        form.FillPropertiesForm(c.node, c.file);
        WhileShown(form, [&] {
            TPropertiesForm::Sheet& sheet = form.sheet(c.page);
            test::NamedControls controls = {{"pages", form.Pages.hwnd()}, {"OK", form.OKBtn.hwnd()},
                                            {"Cancel", form.CancelBtn.hwnd()}, {"name", sheet.NameLabel.hwnd()},
                                            {"description", sheet.Memo.hwnd()}, {"description label", sheet.DescLabel.hwnd()}};
            for (std::size_t i = 0; i < sheet.rows.size(); ++i)
                if (IsWindowVisible(sheet.rows[i]->caption.hwnd()))
                    controls.push_back({"row " + std::to_string(i), sheet.rows[i]->caption.hwnd()});
            if (c.page == PropertyPage::File || c.page == PropertyPage::Folder) {
                controls.push_back({"category", sheet.CategoryList.hwnd()});
                controls.push_back({"flags", sheet.FlagsBtn.hwnd()});
                controls.push_back({"attributes", sheet.attributes[0].hwnd()});
            }
            if (c.page == PropertyPage::Disk) {
                controls.push_back({"advanced", sheet.DiskAdvButton.hwnd()});
                Shoot(c.name, form.hwnd(), controls);
                // The pie, from the disk page's button.
                uitest::TimerAction inner(150, [&] {
                    TAdvDiskForm* adv = form.advancedForm();
                    if (!adv) return;
                    test::NamedControls pie = {{"pie", adv->PieChart.hwnd()}, {"OK", adv->OKBtn.hwnd()},
                                               {"name", adv->DiskName.hwnd()}};
                    for (std::size_t i = 0; i < TAdvDiskForm::kRows; ++i)
                        pie.push_back({"value " + std::to_string(i), adv->values[i].hwnd()});
                    Shoot("advanced-disk-info", adv->hwnd(), pie);
                    PostMessageA(adv->hwnd(), WM_CLOSE, 0, 0);
                });
                form.ShowAdvanced();
                return;
            }
            Shoot(c.name, form.hwnd(), controls);
        }, [&] { form.Run(); });
    }
}

void ShootDescAssist(Shelf& s) {
    DescAssistServices d;
    d.search.patterns = {"*.txt"};
    d.locateMedia = [](const ItemHead*, bool) -> std::optional<char> { return 'X'; };
    d.readFile = [](const std::string&, std::size_t) -> std::optional<std::string> {
        return std::string("  Holiday pictures, volume 1\r\n  ==========================\r\n\r\n  Scanned in 2001.");
    };
    d.descriptionOf = [](const ItemHead& item) { return RecordAs<TFolderRec>(&item)->description; };
    TDescAssistForm form(d);
    form.PrepareDescAssistant(s.a, nullptr);
    WhileShown(form, [&] {
        Shoot("description-assistant", form.hwnd(),
              {{"description", form.DescMemo.hwnd()}, {"file text", form.FileMemo.hwnd()},
               {"files", form.FilesCombo.hwnd()}, {"Get Files", form.SearchBtn.hwnd()},
               {"ANSI Convert", form.ConvertCheck.hwnd()}, {"red label", form.RedLabel.hwnd()},
               {"OK", form.OKBtn.hwnd()}, {"Cancel", form.CancelBtn.hwnd()}, {"name", form.NameLabel.hwnd()}});
    }, [&] { form.Run(); });
}

void ShootCategories(Shelf& s) {
    ui::ScriptedPrompt prompt;
    TCategoriesForm form({&prompt, {}, {}});
    WhileShown(form, [&] {
        test::NamedControls controls = {{"catalog", form.CatalogCombo.hwnd()}, {"list", form.CategoryList.hwnd()},
                                        {"Rename", form.RenameBtn.hwnd()},     {"Delete", form.DeleteBtn.hwnd()},
                                        {"Copy from", form.CopyBtn.hwnd()},    {"OK", form.OKBtn.hwnd()},
                                        {"flag 1", form.FlagEdits[0].hwnd()},  {"flag 3", form.FlagEdits[2].hwnd()}};
        for (std::size_t n = 0; n < 3; ++n) controls.push_back({"remove " + std::to_string(n + 1), form.RemoveFlags[n].hwnd()});
        Shoot("categories-setup", form.hwnd(), controls);
    }, [&] { form.Run({s.catalog, s.second}, s.a); });
}

void ShootSetCategories(Shelf& s) {
    ui::ScriptedPrompt prompt;
    TSetCatForm form(prompt);
    std::vector<ItemHead*> items = {s.a->record(), s.file};
    WhileShown(form, [&] {
        Shoot("set-categories", form.hwnd(),
              {{"head", form.HeadLabel.hwnd()}, {"categories", form.CategoryList.hwnd()},
               {"flags", form.FlagsList.hwnd()}, {"OK", form.OkBtn.hwnd()}, {"Cancel", form.CancelBtn.hwnd()},
               {"setup", form.SetupCatBtn.hwnd()}});
    }, [&] { form.Run(items); });
}

void ShootCatManager(Shelf& s) {
    TCatManagerForm form({});
    WhileShown(form, [&] {
        Shoot("catalog-manager", form.hwnd(),
              {{"left catalog", form.CatalogCombos[0].hwnd()}, {"right catalog", form.CatalogCombos[1].hwnd()},
               {"left disks", form.DiskLists[0].hwnd()}, {"right disks", form.DiskLists[1].hwnd()},
               {"Move", form.MoveBtn.hwnd()}, {"Copy", form.CopyBtn.hwnd()}, {"Close", form.DoneBtn.hwnd()},
               {"status", form.StatusBar.hwnd()}});
    }, [&] { form.Run({s.catalog, s.second}, s.disk); });
}

void ShootImport(const std::string& fixtures) {
    std::unique_ptr<IFileSystem> files = MakeSystemFileSystem();
    TImportForm form(*files);
    WhileShown(form, [&] {
        form.FileListBox.setItemIndex(2);
        form.FileListBoxChange();
        Shoot("import", form.hwnd(),
              {{"folder", form.DirEdit.hwnd()}, {"files", form.FileListBox.hwnd()}, {"name", form.NameLabel.hwnd()},
               {"count", form.CountLabel.hwnd()}, {"OK", form.OKBtn.hwnd()}, {"Cancel", form.CancelBtn.hwnd()}});
    }, [&] { form.Choose(fixtures); });
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: maintwindowsshot FOLDER FIXTURES\n");
        return 2;
    }
    kv::g_folder = argv[1];
    kv::Shelf shelf;
    kv::ShootProperties(shelf);
    kv::ShootDescAssist(shelf);
    kv::ShootCategories(shelf);
    kv::ShootSetCategories(shelf);
    kv::ShootCatManager(shelf);
    kv::ShootImport(argv[2]);
    return kv::g_ok ? 0 : 1;
}

#include "controls/menus/MruMenuWin32.h"

#include <gtest/gtest.h>

#include "system/settings/RegistrySectionStoreWin32.h"
#include "system/settings/MemorySectionStore.h"

namespace kv::ui {
namespace {

std::vector<std::string> captions(const MenuItem& menu) {
    std::vector<std::string> out;
    for (int i = 0; i < menu.Count(); ++i)
        out.push_back(menu.Items(i).Caption());
    return out;
}

using Captions = std::vector<std::string>;

TEST(MruMenu, EntriesFollowTheFileMenu) {
    MainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    file.Add("&Open");
    file.Add("E&xit");
    MenuItem& foreign = file.Add("Foreign");
    foreign.Tag = 5;
    TMRUFileList mru(nullptr, "MRUList", 4);
    mru.setFileMenu(&file);
    EXPECT_EQ(captions(file), (Captions{"&Open", "E&xit", "Foreign"}));  // no separator for no files

    mru.AddFile(0, "C:\\a.ctf");
    mru.AddFile(0, "C:\\Tom & Jerry\\b.ctf");
    EXPECT_EQ(captions(file), (Captions{"&Open", "E&xit", "Foreign", "-", "&1 C:\\Tom && Jerry\\b.ctf", "&2 C:\\a.ctf"}));

    mru.setUseSubmenu(true);
    ASSERT_EQ(file.Count(), 5);
    EXPECT_EQ(file.Items(4).Caption(), "Reopen");
    EXPECT_EQ(captions(file.Items(4)), (Captions{"&1 C:\\Tom && Jerry\\b.ctf", "&2 C:\\a.ctf"}));

    mru.RemoveFile("c:\\A.CTF");
    mru.RemoveFile("c:\\B.CTF");
    mru.RemoveFile("C:\\Tom & Jerry\\b.ctf");
    EXPECT_EQ(captions(file), (Captions{"&Open", "E&xit", "Foreign"}));
}

TEST(MruMenu, AFileMenuWithoutItemsGetsItsEntriesInFrontOfIt) {
    MainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    file.Add("&Open");
    MenuItem& marker = file.Add("Marker");
    file.Add("E&xit");
    TMRUFileList mru(nullptr, "MRUList");
    mru.setInsertSeparator(false);
    mru.setFileMenu(&marker);
    mru.AddFile(0, "x.ctf");
    EXPECT_EQ(captions(file), (Captions{"&Open", "&1 x.ctf", "Marker", "E&xit"}));
}

TEST(MruMenu, ClicksReportTheFullNameAndSurviveTheRebuildTheyCause) {
    MainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    file.Add("&Open");
    TMRUFileList mru(nullptr, "MRUList", 4);
    mru.measure = [](std::string_view s) { return static_cast<int>(s.size()) * 8; };
    mru.setMaxCaptionWidth(130);
    mru.setFileMenu(&file);
    mru.AddFile(0, "C:\\Catalogs\\Archive\\Old\\first.ctf");
    mru.AddFile(0, "C:\\second.ctf");
    EXPECT_EQ(file.Items(3).Caption(), "&2 C:\\...\\first.ctf");

    std::vector<std::string> opened;
    // The program adds every opened file back at the top: a rebuild inside the click.
    mru.OnMRUItemClick = [&](TMRUFileList& sender, const std::string& name) {
        opened.push_back(name);
        sender.AddFile(0, name);
    };
    mru.RemoveOnClick = false;
    file.Items(3).Click();
    EXPECT_EQ(opened, (std::vector<std::string>{"C:\\Catalogs\\Archive\\Old\\first.ctf"}));
    EXPECT_EQ(mru.list().files().front(), "C:\\Catalogs\\Archive\\Old\\first.ctf");
    EXPECT_EQ(mru.list().count(), 2u);

    mru.RemoveOnClick = true;
    mru.OnMRUItemClick = [&](TMRUFileList&, const std::string& name) { opened.push_back(name); };
    file.Items(2).Click();
    EXPECT_EQ(opened.back(), "C:\\Catalogs\\Archive\\Old\\first.ctf");
    EXPECT_EQ(mru.list().files(), (std::vector<std::string>{"C:\\second.ctf"}));
    // A number the list no longer has reports nothing.
    mru.Click(2);
    EXPECT_EQ(opened.size(), 2u);
}

TEST(MruMenu, RegistryRoundTrip) {
    const std::string key = "\\Software\\KorvalderTests\\MruMenu";
    RegistrySectionStore store(HKEY_CURRENT_USER, key);
    store.EraseSection("MRUList");
    store.WriteString("MRUList", "X", "foreign");
    {
        TMRUFileList mru(&store, "MRUList", 4);
        for (const char* f : {"a.ctf", "b.ctf", "c.ctf", "d.ctf", "e.ctf"})
            mru.AddFile(0, f);
    }
    std::vector<SectionValue> values = store.ReadSectionValues("MRUList");
    EXPECT_EQ(values, (std::vector<SectionValue>{{"F0", "e.ctf"}, {"F1", "d.ctf"}, {"F2", "c.ctf"}, {"F3", "b.ctf"}}));

    MainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    file.Add("&Open");
    TMRUFileList loaded(&store, "MRUList", 4);
    loaded.AutoSave = false;
    loaded.setFileMenu(&file);
    loaded.Load();
    EXPECT_EQ(loaded.list().files(), (std::vector<std::string>{"e.ctf", "d.ctf", "c.ctf", "b.ctf"}));
    EXPECT_EQ(file.Count(), 6);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KorvalderTests\\MruMenu\\MRUList");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KorvalderTests\\MruMenu");
}

}  // namespace
}  // namespace kv::ui

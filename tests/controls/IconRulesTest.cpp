#include "controls/IconRules.h"

#include <gtest/gtest.h>

#include <map>

#include "system/drives/MediaTypes.h"

namespace kv {
namespace {

ItemIcons numberedIcons() {
    ItemIcons i;
    int n = 0;
    for (int* f : {&i.unknownFile, &i.application, &i.closedFolder, &i.openFolder, &i.hardDisk, &i.cdRom, &i.floppy35,
                   &i.floppy525, &i.network, &i.removable, &i.ramDisk, &i.tape, &i.zipDrive, &i.jazDrive,
                   &i.virtualDisk, &i.catalog, &i.archiveFolder, &i.archiveOpenFolder, &i.back, &i.setup,
                   &i.sortUp, &i.sortDown})
        *f = n++;
    return i;
}

TEST(IconRules, DriveIconsByMediaType) {
    const ItemIcons i = numberedIcons();
    struct Case {
        std::uint8_t type, flags;
        int icon;
    };
    const Case cases[] = {
        {0, 0, i.floppy525},  {1, 0, i.floppy525}, {3, 0, i.floppy525}, {4, 0, i.floppy525}, {2, 0, i.floppy35},
        {7, 0, i.floppy35},   {9, 0, i.floppy35},  {6, 0, i.tape},      {8, 0, i.cdRom},     {10, 0, i.cdRom},
        {11, 0, i.network},   {12, 0, i.ramDisk},  {13, 0, i.removable}, {14, 0, i.zipDrive}, {15, 0, i.jazDrive},
        {5, 0, i.hardDisk},   {200, 0, i.hardDisk}, {2, 0x80, i.virtualDisk}, {5, 0x83, i.virtualDisk},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetDriveIcon(i, c.type, c.flags), c.icon) << int(c.type) << "/" << int(c.flags);
}

TEST(IconRules, IconLocations) {
    struct Case {
        const char* text;
        const char* file;
        int index;
    };
    const Case good[] = {
        {"C:\\Windows\\system32\\shell32.dll,3", "C:\\Windows\\system32\\shell32.dll", 3},
        {"notepad.exe", "notepad.exe", 0},
        {"\"C:\\Program Files\\App\\app.exe\",-101", "C:\\Program Files\\App\\app.exe", -101},
        {" app.exe , 2 ", "app.exe", 2},
        {"C:\\odd,name\\x.dll", "C:\\odd,name\\x.dll", 0},
        {"%SystemRoot%\\x.dll,-5", "%SystemRoot%\\x.dll", -5},
    };
    for (const auto& c : good) {
        const auto loc = ParseIconLocation(c.text);
        ASSERT_TRUE(loc) << c.text;
        EXPECT_EQ(loc->file, c.file);
        EXPECT_EQ(loc->index, c.index) << c.text;
    }
    for (const char* bad : {"", "  ", ",3", "\"unclosed,1", "\"a.dll\" 3", "\"a.dll\",x"})
        EXPECT_FALSE(ParseIconLocation(bad)) << bad;
}

class FakeResolver : public IconResolver {
public:
    std::map<std::string, std::pair<std::string, int>> known;
    std::map<std::string, int> calls;
    std::string typeName(const std::string& ext) override {
        ++calls[ext];
        auto it = known.find(ext);
        return it == known.end() ? "" : it->second.first;
    }
    std::optional<int> addIcon(const std::string& ext) override {
        auto it = known.find(ext);
        if (it == known.end() || it->second.second < 0)
            return std::nullopt;
        return it->second.second;
    }
};

TEST(IconRules, ExtensionsResolveOnceWithTheirRules) {
    const ItemIcons icons = numberedIcons();
    FakeResolver resolver;
    resolver.known = {{"TXT", {"Text Document", 40}}, {"EXE", {"Application", 41}}, {"ICO", {"Icon", 42}},
                      {"DAT", {"Data", -1}}};
    ExtensionIconCache cache(icons, resolver);

    EXPECT_EQ(cache.addIcon("C:\\Disk1\\SETUP.EXE"), icons.setup);
    EXPECT_EQ(cache.addIcon("install.exe"), icons.setup);
    EXPECT_EQ(cache.addIcon("setup.txt"), 40);
    EXPECT_EQ(cache.addIcon("README.TXT"), 40);
    EXPECT_EQ(cache.addIcon("notes.Txt"), 40);
    EXPECT_EQ(resolver.calls["TXT"], 1);
    EXPECT_EQ(cache.typeName("txt"), "Text Document");

    EXPECT_EQ(cache.addIcon("game.exe"), icons.application);
    EXPECT_EQ(cache.typeName("EXE"), "Application");
    EXPECT_EQ(cache.addIcon("a.ico"), icons.unknownFile);
    EXPECT_EQ(cache.addIcon("a.cur"), icons.unknownFile);
    EXPECT_EQ(cache.addIcon("a.dat"), icons.unknownFile);  // extraction failed
    EXPECT_EQ(cache.addIcon("a.xyz"), icons.unknownFile);
    EXPECT_EQ(cache.addIcon("b.xyz"), icons.unknownFile);
    EXPECT_EQ(resolver.calls["XYZ"], 1);
    EXPECT_EQ(cache.typeName("xyz"), "(unknown)");
    EXPECT_EQ(cache.addIcon("Makefile"), icons.unknownFile);
    EXPECT_EQ(cache.addIcon("dir.d\\noext"), icons.unknownFile);

    EXPECT_EQ(cache.findExt("TxT"), 40);
    EXPECT_FALSE(cache.findExt("doc"));
    EXPECT_EQ(cache.typeName("doc"), "");
}

}  // namespace
}  // namespace kv

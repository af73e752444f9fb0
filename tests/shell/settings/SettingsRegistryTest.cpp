#include <gtest/gtest.h>

#include "shell/settings/SettingsStore.h"
#include "system/settings/RegistryExWin32.h"
#include "system/settings/RegistrySectionStoreWin32.h"
#include "tests/system/RegistryTestKey.h"

namespace kv {
namespace {

PlatformDefaults Defaults() {
    PlatformDefaults d;
    d.tempDir = "C:\\windows\\temp";
    d.programDir = "C:\\windows";
    d.windowsDir = "C:\\windows";
    return d;
}

DWORD TypeOf(TRegistryEx& reg, const char* name, DWORD* size) {
    DWORD type = 0;
    *size = 0;
    RegQueryValueExA(reg.currentKey(), name, nullptr, &type, nullptr, size);
    return type;
}

TEST(SettingsRegistry, RoundTripsThroughTheRegistryWithItsValueTypes) {
    test::RegistryTestKey key;
    RegistrySectionStore store(HKEY_CURRENT_USER, key.path());
    SettingsStore settings(Defaults());
    settings.Load(store);  // no key yet
    EXPECT_TRUE(settings.Modified());

    settings.Update([](Settings& s) {
        s.dblClick = DblClick::DescAssist;
        s.autoSaveMinutes = 240;
        s.fonts[1] = FontSlot{true, FontData{-12, 1, "Tahoma"}};
        s.toolbarLayout = {3, 0, 4, 255};
        s.autoloadList = {"C:\\My Catalogs\\a.ctf"};
        s.externalShellPath = "C:\\windows\\explorer.exe";
    });
    ASSERT_EQ(settings.Save(store), SettingsSaveResult::Saved);

    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path(), false));
    DWORD size = 0;
    EXPECT_EQ(TypeOf(reg, "AdvSettings", &size), DWORD{REG_BINARY});
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(TypeOf(reg, "Font1", &size), DWORD{REG_BINARY});
    EXPECT_EQ(size, 6u + 7u);
    EXPECT_EQ(TypeOf(reg, "RevisionMarker", &size), DWORD{REG_BINARY});
    EXPECT_EQ(size, 1u);
    EXPECT_EQ(TypeOf(reg, "Autoload", &size), DWORD{REG_SZ});

    SettingsStore again(Defaults());
    again.Load(store);
    EXPECT_EQ(again.Get(), settings.Get());
    EXPECT_FALSE(again.Modified());

    // A word of the wrong type gives its default and asks for a save.
    ASSERT_TRUE(reg.WriteInteger("AdvSettings", 5));
    again.Load(store);
    EXPECT_EQ(again.Get().dblClick, DblClick::Properties);
    EXPECT_EQ(again.Get().autoSaveMinutes, 17);
    EXPECT_EQ(again.Get().fonts[1].font.face, "Tahoma");
    EXPECT_TRUE(again.Modified());
}

}  // namespace
}  // namespace kv

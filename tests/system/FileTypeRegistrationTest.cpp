#include "system/settings/FileTypeRegistrationWin32.h"

#include <gtest/gtest.h>

#include "RegistryTestKey.h"
#include "system/settings/RegistryExWin32.h"

namespace kv {
namespace {

std::optional<std::string> defaultValue(const std::string& path) {
    TRegistryEx reg;
    if (!reg.OpenRegKey(path, false))
        return std::nullopt;
    return reg.ReadString("");
}

TEST(FileTypeRegistration, WritesTheCatalogFileKeys) {
    test::RegistryTestKey key;
    const std::string classes = key.path() + "\\Classes";
    const std::string program = "C:\\Program Files\\Korvalder\\Korvalder.exe";
    ASSERT_TRUE(RegisterCatalogFileType(program, HKEY_CURRENT_USER, classes));
    EXPECT_EQ(defaultValue(classes + "\\.ctf"), "Korvalder.CatalogFile");
    EXPECT_EQ(defaultValue(classes + "\\Korvalder.CatalogFile"), "Korvalder? Catalog File");
    EXPECT_EQ(defaultValue(classes + "\\Korvalder.CatalogFile\\DefaultIcon"), program + ",2");
    EXPECT_EQ(defaultValue(classes + "\\Korvalder.CatalogFile\\shell\\open\\command"),
              "\"C:\\Program Files\\Korvalder\\Korvalder.exe\" \"%1\"");
}

TEST(FileTypeRegistration, RegistersTheRunningProgramForTheUser) {
    const std::string program = ProgramShortPath();
    ASSERT_FALSE(program.empty());
    ASSERT_TRUE(RegisterCatalogFileType());
    EXPECT_EQ(defaultValue("\\Software\\Classes\\Korvalder.CatalogFile\\shell\\open\\command"),
              "\"" + program + "\" \"%1\"");
    EXPECT_EQ(defaultValue("\\Software\\Classes\\.ctf"), "Korvalder.CatalogFile");
    TRegistryEx reg;
    reg.DeleteKey("\\Software\\Classes\\.ctf");
    reg.DeleteKey("\\Software\\Classes\\Korvalder.CatalogFile");
}

}  // namespace
}  // namespace kv

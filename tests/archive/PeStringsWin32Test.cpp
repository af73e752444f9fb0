// The resource directory read from a program's bytes gives what the system's own
// loader gives for the same program.
#include <windows.h>

#include <gtest/gtest.h>

#include "ArcTestSupport.h"
#include "archive/PeStrings.h"

namespace kv::arc {
namespace {

TEST(PeStrings, AsTheSystemLoaderReadsThem) {
    for (const char* name : {"sfx/strings-zip.exe", "sfx/strings-later.exe", "sfx/strings-none.exe"}) {
        HMODULE module = LoadLibraryExA(test::FixturePath(name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << name;
        MemorySource file(test::ReadFixture(name));
        for (unsigned id : {1u, 2u, 3u, 4u, 7u, 17u, 40u, 100u}) {
            char text[64] = {};
            const int n = LoadStringA(module, id, text, sizeof text);
            EXPECT_EQ(ReadPeStrings(file, id, 1, 63)[0], std::string(text, n > 0 ? n : 0)) << name << " " << id;
        }
        FreeLibrary(module);
    }
}

}  // namespace
}  // namespace kv::arc

#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/system/RegistryTestKey.h"
#include "base/Errors.h"
#include "ui/WindowPlacementRules.h"

namespace kv {
namespace {

class TestWindow {
public:
    TestWindow(int x, int y, int w, int h) {
        hwnd_ = CreateWindowExA(0, "STATIC", "placement", WS_OVERLAPPEDWINDOW, x, y, w, h, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(hwnd_); }
    HWND get() const { return hwnd_; }
    RECT rect() const {
        RECT r{};
        GetWindowRect(hwnd_, &r);
        return r;
    }

private:
    HWND hwnd_;
};

void store(const std::string& name, const SavedPlacement& p) {
    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(test::kTestKeyPath, true));
    const auto bytes = EncodePlacement(p);
    ASSERT_TRUE(reg.WriteBinaryData(name, bytes.data(), int(bytes.size())));
}

TEST(WindowPlacement, SaveAndRestoreRoundTrip) {
    test::RegistryTestKey key;
    TestWindow saved(50, 60, 300, 200);
    ASSERT_TRUE(saved.get());
    SaveFormPlacement(saved.get(), "TestWndPos", 17, key.path());

    TestWindow restored(0, 0, 100, 100);
    std::int32_t extra = -1;
    RestoreFormPlacement(restored.get(), "TestWndPos", extra, key.path());
    EXPECT_EQ(extra, 17);
    const RECT r = restored.rect();
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
}

TEST(WindowPlacement, MaximisedWindowIsSavedAsTheAreaItCovers) {
    test::RegistryTestKey key;
    TestWindow w(50, 60, 300, 200);
    ShowWindow(w.get(), SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(w.get()));
    const RECT r = w.rect();
    SaveFormPlacement(w.get(), "BigWndPos", 0, key.path());

    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path(), false));
    std::array<std::uint8_t, kPlacementBytes> bytes{};
    ASSERT_EQ(reg.ReadBinaryDataDef("BigWndPos", bytes.data(), int(bytes.size())), 20);
    const auto saved = DecodePlacement(bytes);
    ASSERT_TRUE(saved);
    const int w0 = r.right - r.left, h0 = r.bottom - r.top;
    EXPECT_EQ(saved->bounds, (FormBounds{0, 0, w0 - 2 * std::abs(int(r.left)), h0 - 2 * std::abs(int(r.top))}));
    EXPECT_EQ(saved->bounds.left, 0);
    EXPECT_EQ(saved->bounds.top, 0);

    std::int32_t extra = -1;
    RestoreFormPlacement(w.get(), "BigWndPos", extra, key.path());
    EXPECT_FALSE(IsZoomed(w.get()));
}

TEST(WindowPlacement, OffScreenPlaceIsIgnoredButExtraIsRead) {
    test::RegistryTestKey key;
    const int farRight = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) + 100;
    store("GoneWndPos", {{farRight, 40, 300, 200}, 3});
    TestWindow w(70, 80, 320, 240);
    std::int32_t extra = -1;
    RestoreFormPlacement(w.get(), "GoneWndPos", extra, key.path());
    EXPECT_EQ(extra, 3);
    const RECT r = w.rect();
    EXPECT_EQ(r.left, 70);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, 320);

    store("EdgeWndPos", {{-250, 10, 300, 200}, 4});  // partly visible: applied
    RestoreFormPlacement(w.get(), "EdgeWndPos", extra, key.path());
    EXPECT_EQ(w.rect().left, -250);
}

TEST(WindowPlacement, NothingStoredIsTheSilentAbort) {
    test::RegistryTestKey key;
    TestWindow w(70, 80, 320, 240);
    std::int32_t extra = 9;
    EXPECT_THROW(RestoreFormPlacement(w.get(), "NoWndPos", extra, key.path()), EAbort);  // no key
    store("Other", {{0, 0, 1, 1}, 0});
    EXPECT_THROW(RestoreFormPlacement(w.get(), "NoWndPos", extra, key.path()), EAbort);  // no value
    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path(), false));
    const std::uint8_t shortValue[19] = {};
    ASSERT_TRUE(reg.WriteBinaryData("ShortWndPos", shortValue, 19));
    EXPECT_THROW(RestoreFormPlacement(w.get(), "ShortWndPos", extra, key.path()), EAbort);
    EXPECT_EQ(extra, 9);
    EXPECT_EQ(w.rect().left, 70);
}

}  // namespace
}  // namespace kv

#include "UiFixture.h"
#include "ui/Animate.h"
#include "ui/Form.h"

namespace {

using namespace kv::ui;

using AnimateTest = UiTest;

// Runs the message loop until the clip stops or a second has passed.
bool waitUntilStopped(Animate& clip) {
    for (int i = 0; i < 100 && clip.active(); ++i) {
        kv::ui::Application::instance().processMessages();
        Sleep(10);
    }
    return !clip.active();
}

TEST_F(AnimateTest, PlaysAClipFromAModuleByNameOrNumber) {
    Form form;
    form.createHandle();
    Animate clip;
    clip.create(&form);

    EXPECT_TRUE(clip.setResName(nullptr, "TESTCLIP"));
    EXPECT_TRUE(clip.opened());
    clip.repetitions = 1;
    clip.setActive(true);
    EXPECT_TRUE(clip.active());
    EXPECT_TRUE(waitUntilStopped(clip));  // a limited play ends by itself

    // Another module: the program's file loaded again as data.
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    HMODULE other = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(clip.setResId(other, 102));
    clip.repetitions = -1;
    clip.setActive(true);
    EXPECT_TRUE(clip.active());
    app().processMessages();
    EXPECT_TRUE(clip.active());  // runs until stopped
    clip.setActive(false);
    EXPECT_FALSE(clip.active());

    // Re-created while playing: opened and playing again.
    clip.setActive(true);
    form.recreateWnd();
    EXPECT_TRUE(clip.opened());
    EXPECT_TRUE(clip.active());
    clip.setActive(false);
    clip.setResName(nullptr, "TESTCLIP");  // lets go of the other module's clip
    FreeLibrary(other);
}

TEST_F(AnimateTest, AMissingClipLeavesTheControlEmptyAndIdle) {
    Form form;
    form.createHandle();
    Animate clip;
    clip.create(&form);
    EXPECT_FALSE(clip.setResName(nullptr, "NOSUCHCLIP"));
    EXPECT_FALSE(clip.setResId(nullptr, 9999));
    EXPECT_FALSE(clip.opened());
    clip.setActive(true);
    EXPECT_FALSE(clip.active());
    clip.seek(3);
    EXPECT_FALSE(clip.setCommonAvi(CommonAvi::None));

    // A clip chosen before the window opens with it.
    Animate late;
    EXPECT_TRUE(late.setResName(nullptr, "TESTCLIP"));
    late.setActive(true);
    late.create(&form);
    EXPECT_TRUE(late.opened());
    EXPECT_TRUE(late.active());
}

// The system's clips exist on Windows; Wine's shell32 may lack them.
TEST_F(AnimateTest, CommonClipOpensWhereTheSystemHasIt) {
    Form form;
    form.createHandle();
    Animate clip;
    clip.create(&form);
    HMODULE shell = LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const bool present = shell && FindResourceA(shell, MAKEINTRESOURCEA(152), "AVI");
    if (shell) FreeLibrary(shell);
    EXPECT_EQ(clip.setCommonAvi(CommonAvi::FindComputer), present);
    if (!present) GTEST_SKIP() << "no find-computer clip in this system's shell32";
    clip.stopFrame = 8;
    clip.setActive(true);
    EXPECT_TRUE(clip.active());
}

}  // namespace

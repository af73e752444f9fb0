// The Insert Media window as the search for a disk's medium shows it: the
// wrong disk in the drive, then the right one.
#include "shell/copy/MediaFormWin32.h"

#include <gtest/gtest.h>

#include "system/drives/MediaTypes.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

class OneDrive : public DriveSystem {
public:
    MediumIdentity medium;
    std::uint32_t logicalDrives() override { return 1u << ('E' - 'A'); }
    std::uint8_t mediaType(char) override { return MediaType::CdRom; }
    bool isReady(char) override { return true; }
    MediumIdentity readMedium(char) override { return medium; }
    bool pathExists(const std::string&) override { return true; }
};

MediumIdentity Disk(const std::string& label, std::uint32_t serial) {
    MediumIdentity m;
    m.label = label;
    m.serialNumber = serial;
    m.mediaType = MediaType::CdRom;
    return m;
}

TEST(MediaForm, AsksUntilTheRightDiskIsInTheDrive) {
    OneDrive drive;
    drive.medium = Disk("OTHER", 1);
    ui::ScriptedPrompt prompt;
    MediaFormPrompts prompts(prompt);
    std::vector<std::string> seen;
    bool manualShown = true;
    int left = 0;
    int okLeft = 0;
    uitest::TimerAction insert(100, [&] {
        HWND form = FindWindowA("KvMediaForm", nullptr);
        ASSERT_TRUE(form);
        char text[256];
        for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            GetWindowTextA(c, text, sizeof text);
            seen.push_back(text);
            RECT r{};
            GetWindowRect(c, &r);
            if (std::string(text) == "&Manual Select") manualShown = IsWindowVisible(c);
            if (std::string(text) == "&OK") {
                POINT p{r.left, r.top};
                ScreenToClient(form, &p);
                okLeft = p.x;
                RECT client{};
                GetClientRect(form, &client);
                left = MediaButtonsLeft(client.right, r.right - r.left, 2);
                drive.medium = Disk("HOLIDAY", 7);
                SendMessageA(c, BM_CLICK, 0, 0);
            }
        }
    });
    char letter = 0;
    EXPECT_EQ(LocateMedium(Disk("HOLIDAY", 7), false, drive, prompts, letter), LocateResult::Found);
    EXPECT_TRUE(insert.ran());
    EXPECT_EQ(letter, 'E');
    EXPECT_NE(std::find(seen.begin(), seen.end(), "HOLIDAY"), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "(Media type: CD-ROM)"), seen.end());
    EXPECT_FALSE(manualShown);
    EXPECT_EQ(okLeft, left);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST(MediaForm, CancelAndManualSelectAnswer) {
    OneDrive drive;
    drive.medium = Disk("OTHER", 1);
    ui::ScriptedPrompt prompt;
    MediaFormPrompts prompts(prompt);
    for (const char* button : {"&Cancel", "&Manual Select"}) {
        uitest::TimerAction press(100, [&] {
            HWND form = FindWindowA("KvMediaForm", nullptr);
            ASSERT_TRUE(form);
            HWND b = FindWindowExA(form, nullptr, "Button", button);
            ASSERT_TRUE(b);
            SendMessageA(b, BM_CLICK, 0, 0);
        });
        char letter = 0;
        const LocateResult result = LocateMedium(Disk("HOLIDAY", 7), true, drive, prompts, letter);
        EXPECT_EQ(result, std::string(button) == "&Cancel" ? LocateResult::NotFound : LocateResult::ManualSelect);
    }
    EXPECT_EQ(MediaButtonsLeft(330, 90, 3), (330 - 3 * 90 - 16) / 2);
    EXPECT_EQ(MediaButtonsLeft(330, 90, 2), (330 - 2 * 90 - 8) / 2);
}

}  // namespace
}  // namespace kv

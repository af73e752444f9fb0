#include "shell/app/ProgramExit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "archive/ArchiveContext.h"
#include "archive/TempExtraction.h"
#include "shell/settings/SettingsStore.h"
#include "system/settings/MemorySectionStore.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

namespace kv {
namespace {

struct QuietUi : arc::IExtractionUi {
    void ShowWait(const std::string&, const std::string&) override {}
    bool Progress(int) override { return false; }
    void CloseWait() override {}
    void ShowError(const std::string&, const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override {
        ++asked;
        return true;
    }
    int asked = 0;
};

TEST(FinishProgram, ExtractedFilesInTheExtractionFolderGoAsTheOptionSays) {
    for (TempRemoval removal : {TempRemoval::Leave, TempRemoval::Delete, TempRemoval::Ask}) {
        test::TempDir extractDir, elsewhere;
        const std::string inside = extractDir.file("member.txt"), outside = elsewhere.file("mine.txt");
        std::ofstream(inside) << "x";
        std::ofstream(outside) << "y";

        SettingsStore settings(PlatformDefaults{});
        settings.Update([&](Settings& s) {
            s.tempRemoval = removal;
            s.extractFolder = extractDir.file("");
        });
        MemorySectionStore store;
        QuietUi ui;
        std::unique_ptr<arc::ArchiveContext> context = arc::ArchiveContext::System();
        arc::TempExtraction extraction(*context, ui);
        extraction.ExtractedFiles = {inside, outside};

        ui::ScriptedPrompt prompt;
        FinishProgram(settings, store, extraction, prompt);
        EXPECT_EQ(std::filesystem::exists(inside), removal == TempRemoval::Leave) << static_cast<int>(removal);
        EXPECT_TRUE(std::filesystem::exists(outside));
        EXPECT_EQ(ui.asked, removal == TempRemoval::Ask ? 1 : 0);
    }
}

// The registry key refuses to open: the user hears of it once, nothing is written.
TEST(FinishProgram, ASettingsKeyThatCannotBeWrittenIsReported) {
    struct ClosedStore : MemorySectionStore {
        bool openForWriting(std::string_view) override { return false; }
    };
    for (bool modified : {false, true}) {
        SettingsStore settings(PlatformDefaults{});
        settings.SetModified(modified);
        ClosedStore store;
        QuietUi ui;
        std::unique_ptr<arc::ArchiveContext> context = arc::ArchiveContext::System();
        arc::TempExtraction extraction(*context, ui);
        ui::ScriptedPrompt prompt;
        FinishProgram(settings, store, extraction, prompt);
        ASSERT_EQ(prompt.asked.size(), modified ? 1u : 0u);
        if (modified) {
            EXPECT_EQ(prompt.asked[0].caption, "Error saving config");
            EXPECT_EQ(prompt.asked[0].text.rfind("An error has occured while writing to registry!\n", 0), 0u);
            EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Stop);
        }
        EXPECT_FALSE(store.SectionExists(""));
    }
}

}  // namespace
}  // namespace kv

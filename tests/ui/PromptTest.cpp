#include <gtest/gtest.h>

#include "tests/support/ScriptedPrompt.h"

namespace {

using kv::ui::PromptAnswer;
using kv::ui::PromptButtons;
using kv::ui::PromptIcon;

TEST(ScriptedPrompt, AnswersFromTheScriptThenCautiously) {
    kv::ui::ScriptedPrompt p{PromptAnswer::Yes};
    EXPECT_TRUE(p.confirm("Delete it?"));
    // Past the script: the answer that does no harm.
    EXPECT_FALSE(p.confirm("And this?"));
    EXPECT_EQ(p.ask({"t", "c", PromptButtons::YesNoCancel}), PromptAnswer::Cancel);
    EXPECT_EQ(p.ask({"t", "c", PromptButtons::RetryCancel}), PromptAnswer::Cancel);
    EXPECT_EQ(p.ask({"t", "c", PromptButtons::Ok}), PromptAnswer::Ok);

    ASSERT_EQ(p.asked.size(), 5u);
    EXPECT_EQ(p.asked[0].caption, "Confirm");
    EXPECT_EQ(p.asked[0].icon, PromptIcon::Question);
    EXPECT_EQ(p.asked[0].buttons, PromptButtons::YesNo);
}

TEST(ScriptedPrompt, ErrorsAndInformationCarryTheirIcons) {
    kv::ui::ScriptedPrompt p;
    p.showError("File open error");
    p.showInformation("No.", "Can't Open Catalog");
    ASSERT_EQ(p.asked.size(), 2u);
    EXPECT_EQ(p.asked[0].caption, "Error");
    EXPECT_EQ(p.asked[0].icon, PromptIcon::Stop);
    EXPECT_EQ(p.asked[1].caption, "Can't Open Catalog");
    EXPECT_EQ(p.asked[1].icon, PromptIcon::Information);
}

}  // namespace

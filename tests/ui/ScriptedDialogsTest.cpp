#include <gtest/gtest.h>

#include "tests/support/ScriptedDialogs.h"

namespace {

using namespace kv::ui;

// How the settings window asks: the answer replaces the slot, a cancel keeps it.
void chooseSlotFont(FontDialog& dialog, FontDescription& slot) {
    if (auto chosen = dialog.chooseFont(slot)) slot = *chosen;
}

TEST(ScriptedDialogsTest, AnswersInOrderRecordsRequestsAndCancelsPastTheScript) {
    ScriptedFontDialog fonts;
    FontDescription arial{"Arial", 10, true};
    fonts.answers = {arial, std::nullopt};
    FontDescription slot;
    chooseSlotFont(fonts, slot);
    EXPECT_EQ(slot, arial);
    chooseSlotFont(fonts, slot);
    chooseSlotFont(fonts, slot);
    EXPECT_EQ(slot, arial);
    ASSERT_EQ(fonts.asked.size(), 3u);
    EXPECT_EQ(fonts.asked[0], FontDescription{});
    EXPECT_EQ(fonts.asked[2], arial);

    ScriptedPrintDialog print;
    PrintChoice twoCopies;
    twoCopies.printer = "Office Laser";
    twoCopies.copies = 2;
    print.answers = {twoCopies};
    PrintRequest request;
    request.maxPage = 7;
    auto answer = print.choosePrinter(request);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->printer, "Office Laser");
    EXPECT_EQ(answer->copies, 2);
    EXPECT_FALSE(print.choosePrinter(request));
    EXPECT_EQ(print.asked.size(), 2u);
    EXPECT_EQ(print.asked[1].maxPage, 7);
}

}  // namespace

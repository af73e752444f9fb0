#include "shell/setup/WizardAnswers.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(WizardAnswers, DoubleClickChoicesMapByTheirTable) {
    struct Row {
        DblClick click;
        WizardAction action;
    };
    for (const Row& r : {Row{DblClick::Nothing, WizardAction::Nothing}, Row{DblClick::Properties, WizardAction::Properties},
                         Row{DblClick::Explorer, WizardAction::Explorer}, Row{DblClick::Launch, WizardAction::Launch},
                         Row{DblClick::View, WizardAction::View}, Row{DblClick::DescAssist, WizardAction::EditDesc}}) {
        EXPECT_EQ(WizardActionOf(r.click), r.action);
        EXPECT_EQ(DblClickOf(r.action), r.click);
    }
    EXPECT_EQ(WizardActionOf(DblClick::Unset), WizardAction::Nothing) << "nothing chosen reads as Do nothing";
}

TEST(WizardAnswers, StoreAndLoadRoundTripWithTheFlatButtonsInverted) {
    Settings s;
    s.oldButtons = true;
    s.dblClick = DblClick::DescAssist;
    s.catalogFolder = "D:\\Cat";
    s.extractFolder = "E:\\Tmp";
    s.tempRemoval = TempRemoval::Leave;
    s.ignoreHiddenFiles = false;
    s.browseArchives = false;
    WizardAnswers a = WizardLoadFromOptions(s);
    EXPECT_FALSE(a.flatButtons);
    EXPECT_EQ(a.action, WizardAction::EditDesc);
    EXPECT_FALSE(a.skipHiddenFiles);

    a.flatButtons = true;
    a.createBak = false;
    a.skipRecycleBin = false;
    a.descTips = false;
    Settings back = s;
    WizardStoreToOptions(a, back);
    EXPECT_FALSE(back.oldButtons);
    EXPECT_FALSE(back.createBak);
    EXPECT_FALSE(back.ignoreRecycle);
    EXPECT_FALSE(back.descTips);
    EXPECT_EQ(WizardLoadFromOptions(back), a);
    // What the wizard does not ask stays.
    back.oldButtons = s.oldButtons;
    back.createBak = s.createBak;
    back.ignoreRecycle = s.ignoreRecycle;
    back.descTips = s.descTips;
    EXPECT_EQ(back, s);
}

}  // namespace
}  // namespace kv

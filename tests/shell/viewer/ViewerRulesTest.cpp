#include "shell/viewer/ViewerRules.h"

#include <gtest/gtest.h>

#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

TEST(ViewerRules, MembersLandInsideTheExtractionFolder) {
    EXPECT_EQ(ExtractedMemberPath("C:\\Temp\\", "docs\\readme.txt"), "C:\\Temp\\readme.txt");
    EXPECT_EQ(ExtractedMemberPath("C:\\Temp", "a/b/c.txt"), "C:\\Temp\\c.txt");
    EXPECT_EQ(ExtractedMemberPath("C:\\Temp", "..\\..\\x.ini"), "C:\\Temp\\x.ini");
    EXPECT_EQ(ExtractedMemberPath("C:\\Temp", "C:\\Windows\\win.ini"), "C:\\Temp\\win.ini");
    EXPECT_EQ(ExtractedArchivePath("D:\\Out\\", "docs/readme.txt", true), "D:\\Out\\docs\\readme.txt");
    EXPECT_EQ(ExtractedArchivePath("D:\\Out\\", "docs/readme.txt", false), "D:\\Out\\readme.txt");
    EXPECT_EQ(ExtractedArchivePath("D:\\Out\\", "a/../../x", true), "");
}

TEST(ViewerRules, LaunchingProgramsFromArchivesAsksWhichKind) {
    EXPECT_EQ(LaunchKind("setup.exe"), "installation");
    EXPECT_EQ(LaunchKind("disk1\\INSTALL.EXE"), "installation");
    EXPECT_EQ(LaunchKind("x.exe"), "executable");
    EXPECT_EQ(LaunchKind("setup.exe.txt"), "");
    EXPECT_EQ(LaunchKind("x.txt"), "");
    const ui::PromptRequest q = LaunchFromArchiveQuestion("installation");
    EXPECT_EQ(q.caption, "Launching installation File");
    EXPECT_EQ(q.buttons, ui::PromptButtons::YesNoCancel);
    EXPECT_EQ(q.text.rfind("You have selected to launch a program installation file from inside", 0), 0u);
}

TEST(ViewerRules, ShellAnswersToLaunching) {
    struct Case {
        std::uintptr_t code;
        const char* caption;  // nullptr: no message
    } cases[] = {{0, "Out of Memory"},  {8, "Out of Memory"},         {2, "File not found"},
                 {3, "File not found"}, {5, "Access Denied"},          {26, "Access Denied"},
                 {27, "Can't launch file"}, {31, "Can't launch file"}, {11, nullptr},
                 {33, nullptr},         {42, nullptr}};
    for (const Case& c : cases) {
        const auto message = LaunchErrorMessage(c.code, "notes.xyz");
        EXPECT_EQ(message.has_value(), c.caption != nullptr) << c.code;
        if (message && c.caption) {
            EXPECT_EQ(message->caption, c.caption) << c.code;
        }
    }
    EXPECT_EQ(LaunchErrorMessage(31, "notes.xyz")->text, "No program is associated with this file type (XYZ).");
    EXPECT_EQ(LaunchErrorMessage(2, "a")->text,
              "Sorry, selected file does not exist any more on the media.\r\nPlease update data for this media.");
}

TEST(ViewerRules, CommandLinesQuoteWhatTheyPass) {
    EXPECT_EQ(ExplorerCommandLine("C:\\Program Files\\Shell\\shell.exe", "T:\\My Photos"),
              "\"C:\\Program Files\\Shell\\shell.exe\" \"T:\\My Photos\"");
    EXPECT_EQ(ViewerParameter("T:\\Long Name.txt", "T:\\LONGNA~1.TXT", true), "T:\\LONGNA~1.TXT");
    EXPECT_EQ(ViewerParameter("T:\\Long Name.txt", "", true), "\"T:\\Long Name.txt\"");
    EXPECT_EQ(ViewerParameter("T:\\Long Name.txt", "T:\\LONGNA~1.TXT", false), "\"T:\\Long Name.txt\"");
    EXPECT_TRUE(IsRtfName("T:\\doc.Rtf"));
    EXPECT_FALSE(IsRtfName("T:\\rtf.txt"));
    EXPECT_FALSE(IsRtfName("T:\\rtf"));
}

TEST(ViewerRules, ExplorerShowsTheFolderHoldingTheItem) {
    test::ModelFixture m;
    Node& zip = m.folder(*m.a, "pack.zip");
    test::ModelFixture::folderRec(zip).flags |= ItemFlags::Archive;
    TFileRec& member = test::AddFile(test::ModelFixture::folderRec(zip), "inner.txt");
    member.flags |= ItemFlags::Archive;
    const TFileRec* a1 = m.folderRec(*m.a).files.first();
    EXPECT_EQ(ExplorerTarget(a1, false, nullptr), m.a->record());
    EXPECT_EQ(ExplorerTarget(&member, false, nullptr), m.a->record());
    EXPECT_EQ(ExplorerTarget(zip.record(), false, nullptr), m.a->record());
    EXPECT_EQ(ExplorerTarget(m.b->record(), false, nullptr), m.b->record());
    EXPECT_EQ(ExplorerTarget(nullptr, true, m.c->record()), m.b->record());
    EXPECT_EQ(ExtractCaption(1, "pack.zip"), "Extract \"pack.zip\" to:");
    EXPECT_EQ(ExtractCaption(3, ""), "Extract 3 selected items to:");
}

}  // namespace
}  // namespace kv

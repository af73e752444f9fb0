// The report command of the main window printed as the user prints it: the
// generator shown modally, its Print button clicked, the system's print dialog
// answered on the test printer (made the default), whose port is a file.
// MainPrint.cmake reads the job back with Ghostscript.
//   main_print_tests PPD JOB.ps
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "search/reports/ReportGenFormWin32.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TestPrinterWin32.h"
#include "ui/Wnd.h"

namespace kv::test {
namespace {

std::string ppdPath, jobPath;

// Folder "Holiday" of disk "D" holds this many photos: two pages and more.
constexpr int kPhotos = 70;

std::string PhotoName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "holiday-%02d.jpg", i);
    return name;
}

bool printClicked = false;

// Clicks the generator's Print button once the generator is up.
void CALLBACK ClickPrint(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND shown = FindWindowA(nullptr, "Report Generator");
    auto* form = shown ? dynamic_cast<TReportGenForm*>(ui::Wnd::fromHandle(shown)) : nullptr;
    if (!form)
        return;
    KillTimer(nullptr, timer);
    printClicked = true;
    PostMessageA(form->BtnPrint.hwnd(), BM_CLICK, 0, 0);
}

bool printDialogShown = false;

// Answers the system's print dialog with its printer, the test printer made the default.
void CALLBACK PressPrintOk(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND dialog = FindWindowA("#32770", "Print")) {
        KillTimer(nullptr, timer);
        printDialogShown = true;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}

// Past its time the test closes what is up (a message box, the generator),
// so that it fails rather than hangs.
void CALLBACK CloseStray(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = FindWindowA("#32770", nullptr))
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    else if (HWND generator = FindWindowA(nullptr, "Report Generator"))
        PostMessageA(generator, WM_CLOSE, 0, 0);
}

class MainPrintTest : public ShellTest {
protected:
    std::string photoCatalog() {
        ModelFixture model;
        model.forest.setText(*model.catalog, "Photos");
        Node& holiday = model.folder(*model.disk, "Holiday");
        for (int i = 1; i <= kPhotos; ++i)
            AddFile(model.folderRec(holiday), PhotoName(i));
        std::string path = scratch.file("photos.ctf");
        FileSink sink(path);
        EncodeCatalog(*model.catalog, sink);
        sink.close();
        return path;
    }
};

TEST_F(MainPrintTest, TheReportOfTheMainListIsPrintedFromTheGeneratorToThePrinter) {
    DeleteFileA(jobPath.c_str());
    const TestPrinterScope printer(ppdPath, jobPath);
    ASSERT_TRUE(printer.installed());
    char previous[MAX_PATH] = "";
    DWORD size = sizeof previous;
    if (!GetDefaultPrinterA(previous, &size))
        previous[0] = 0;
    ASSERT_TRUE(SetDefaultPrinterA(kTestPrinter));

    commandLine = {photoCatalog()};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    Node* disk = Child(*main.forest().roots()[0], "D");
    ASSERT_TRUE(disk);
    Node* holiday = Child(*disk, "Holiday");
    ASSERT_TRUE(holiday);
    main.browse().tree().select(holiday);
    main.RunIdleOnce();

    SetTimer(nullptr, 0, 50, ClickPrint);
    SetTimer(nullptr, 0, 50, PressPrintOk);
    const UINT_PTR stray = SetTimer(nullptr, 0, 15000, CloseStray);
    main.RunCommand(CommandId::ReportGen, CommandSource::MainMenu);
    KillTimer(nullptr, stray);

    if (previous[0])
        SetDefaultPrinterA(previous);
    EXPECT_TRUE(printClicked);
    EXPECT_TRUE(printDialogShown);
    for (const auto& asked : prompt.asked)
        ADD_FAILURE() << "message: " << asked.text;
    // The generator closed after the job: nothing of it is left up.
    EXPECT_EQ(FindWindowA(nullptr, "Report Generator"), nullptr);
}

}  // namespace
}  // namespace kv::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::printf("usage: main_print_tests PPD JOB.ps\n");
        return 2;
    }
    kv::test::ppdPath = argv[1];
    kv::test::jobPath = argv[2];
    return RUN_ALL_TESTS();
}

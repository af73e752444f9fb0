// Prints the fixture report through the real spooler path: installs Wine's
// PostScript driver with our PPD as "Korvalder Test PS" whose port is a file,
// then runs the report's print job on it and removes the printer again.
//   printtofile PPD JOB.ps [--keep]   (--keep: the printer stays, for trying the program by hand)
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

#include "ReportFixture.h"
#include "search/reports/CustomTree.h"
#include "search/reports/ReportJobsWin32.h"
#include "search/reports/ReportSort.h"
#include "tests/support/ScriptedPrompt.h"

namespace {

constexpr const char* kPrinter = "Korvalder Test PS";
constexpr const char* kDriver = "Wine PostScript Driver";

void RemovePrinter() {
    HANDLE printer = nullptr;
    if (OpenPrinterA(const_cast<char*>(kPrinter), &printer, nullptr)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
}

bool InstallPrinter(const std::string& ppd, const std::string& port) {
    char folder[MAX_PATH] = "";
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed)) {
        std::printf("GetPrinterDriverDirectory: error %lu\n", GetLastError());
        return false;
    }
    // The driver is installed from this folder into its version folder "3".
    for (const std::string& to : {std::string(folder), std::string(folder) + "\\3"}) {
        CreateDirectoryA(to.c_str(), nullptr);
        if (!CopyFileA(ppd.c_str(), (to + "\\kvtest.ppd").c_str(), FALSE)) {
            std::printf("CopyFile %s to %s: error %lu\n", ppd.c_str(), to.c_str(), GetLastError());
            return false;
        }
    }
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriver);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("kvtest.ppd");
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        std::printf("AddPrinterDriverEx: error %lu (going on)\n", GetLastError());
    RemovePrinter();
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(kPrinter);
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(kDriver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) {
        std::printf("AddPrinter: error %lu\n", GetLastError());
        return false;
    }
    ClosePrinter(printer);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool keep = argc == 4 && std::string(argv[3]) == "--keep";
    if (argc != 3 && !keep) {
        std::printf("usage: printtofile PPD JOB.ps [--keep]\n");
        return 2;
    }
    DeleteFileA(argv[2]);
    if (!InstallPrinter(argv[1], argv[2])) {
        std::printf("the test printer could not be installed\n");
        return 1;
    }
    using namespace kv;
    Forest forest;
    test::ModelOf(forest, test::HomeCatalog());
    CustomTree tree{CatalogLoaders{}};
    ReportRun run = test::FixtureRun(forest, tree);
    test::FixtureCells cells;
    ReportLook look;
    look.icons = false;
    look.dateTimeText = "2026-12-11, 13:05:09";
    ui::ScriptedPrompt prompt;
    ui::PrintChoice choice;
    choice.printer = kPrinter;
    const bool printed = PrintListReport(run, cells, look, choice, prompt);
    // The prefix is shared: other tests find it as it was.
    if (!keep)
        RemovePrinter();
    for (const auto& asked : prompt.asked)
        std::printf("message: %s\n", asked.text.c_str());
    std::printf(printed ? "printed\n" : "not printed\n");
    return printed ? 0 : 1;
}

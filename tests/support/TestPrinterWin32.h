#pragma once
// "Korvalder Test PS": Wine's PostScript driver with our PPD, whose port is a
// file, so that a print job can be read back. The prefix is shared by every
// test: whoever installs it removes it again (tests take the wine_printer lock).
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <utility>

namespace kv::test {

inline constexpr const char* kTestPrinter = "Korvalder Test PS";
inline constexpr const char* kTestPrinterDriver = "Wine PostScript Driver";

inline void RemoveTestPrinter(const std::string& name = kTestPrinter) {
    HANDLE printer = nullptr;
    if (OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
}

// Installs the printer afresh with its jobs written to port (a file); under
// another name, it keeps out of the way of the tests' printer.
inline bool InstallTestPrinter(const std::string& ppd, const std::string& port,
                               const std::string& name = kTestPrinter) {
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
    driver.pName = const_cast<char*>(kTestPrinterDriver);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("kvtest.ppd");
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        std::printf("AddPrinterDriverEx: error %lu (going on)\n", GetLastError());
    RemoveTestPrinter(name);
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(kTestPrinterDriver);
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

// The printer for one scope: installed, then removed, so that other tests
// find the prefix as it was.
class TestPrinterScope {
public:
    TestPrinterScope(const std::string& ppd, const std::string& port, std::string name = kTestPrinter)
        : name_(std::move(name)), installed_(InstallTestPrinter(ppd, port, name_)) {}
    ~TestPrinterScope() {
        if (installed_)
            RemoveTestPrinter(name_);
    }
    TestPrinterScope(const TestPrinterScope&) = delete;
    TestPrinterScope& operator=(const TestPrinterScope&) = delete;
    bool installed() const { return installed_; }

private:
    std::string name_;
    bool installed_;
};

}  // namespace kv::test

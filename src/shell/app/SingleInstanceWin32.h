#pragma once
// One running instance: a second start hands its command line to the first
// one through the parameter file and message 1537, then ends.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/app/ParamsFile.h"

namespace kv {

// WParam: the parameter file's number.
inline constexpr UINT kPassParamsMessage = WM_USER + 513;
// How long a start waits for a simultaneous first start's window.
inline constexpr DWORD kStartupWaitMs = 10000;

class ParamsFilesWin32 : public ParamsFileSystem {
public:
    bool CreateNew(const std::string& path, const std::string& content) override;
    std::optional<std::string> ReadAll(const std::string& path) override;
    void Erase(const std::string& path) override;
};

// The system's temporary folder, "C:\" when it cannot say.
std::string ParamsTempFolder();
// Absolute, so the running instance (with another working folder) finds it.
std::string FullPathName(const std::string& path);
// The program's arguments, each made absolute.
std::vector<std::string> AbsoluteArguments(int argc, char** argv);

// Writes the parameter file and posts 1537 to wnd. False when no file could be written.
bool PassParamsToRunningInstance(HWND wnd, const std::vector<std::string>& args);

// Holds the start-up mutex from the check until this instance's main window
// exists, so two starts at the same moment come out as one instance.
class StartupLock {
public:
    StartupLock();
    ~StartupLock();
    StartupLock(const StartupLock&) = delete;
    StartupLock& operator=(const StartupLock&) = delete;
    // Lets a waiting start go on (it will now find our window).
    void release();

private:
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};

// Finds a running instance and hands the arguments over: true when one took
// them (the caller then ends), false when this process is the only instance.
bool FindAndHandOver(const std::vector<std::string>& args);

// At start: returns when no other instance runs; otherwise hands over and ends
// the process. The lock stays held until release() once the window exists.
void ActivateRunningInstance(const std::vector<std::string>& args, StartupLock& lock);

}  // namespace kv

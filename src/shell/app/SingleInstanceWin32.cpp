#include "shell/app/SingleInstanceWin32.h"

#include "shell/app/ProgramIdentity.h"

namespace kv {

bool ParamsFilesWin32::CreateNew(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != content.size()) {
        DeleteFileA(path.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> ParamsFilesWin32::ReadAll(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    // A hand-over is a command line: anything larger is not ours.
    constexpr DWORD kLimit = 1 << 20;
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0 && text.size() < kLimit)
        text.append(buffer, got);
    CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return text;
}

void ParamsFilesWin32::Erase(const std::string& path) { DeleteFileA(path.c_str()); }

std::string ParamsTempFolder() {
    char buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer)
        return "C:\\";
    return std::string(buffer, n);
}

std::string FullPathName(const std::string& path) {
    const DWORD need = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (need == 0)
        return path;
    std::string full(need, '\0');
    const DWORD n = GetFullPathNameA(path.c_str(), need, full.data(), nullptr);
    if (n == 0 || n >= need)
        return path;
    full.resize(n);
    return full;
}

std::vector<std::string> AbsoluteArguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(FullPathName(argv[i]));
    return args;
}

bool PassParamsToRunningInstance(HWND wnd, const std::vector<std::string>& args) {
    ParamsFilesWin32 fs;
    ParamsNumberSource numbers(GetTickCount() ^ (GetCurrentProcessId() * 2654435761u));
    const std::optional<int> n = WriteParamsFile(fs, ParamsTempFolder(), args, numbers);
    if (!n)
        return false;
    PostMessageA(wnd, kPassParamsMessage, static_cast<WPARAM>(*n), 0);
    return true;
}

StartupLock::StartupLock() {
    mutex_ = CreateMutexA(nullptr, FALSE, kStartupMutexName);
    if (!mutex_)
        return;
    // A first start holds it until its window exists; one that hangs or died
    // is not waited for longer than this.
    const DWORD r = WaitForSingleObject(mutex_, kStartupWaitMs);
    owned_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

StartupLock::~StartupLock() {
    release();
    if (mutex_)
        CloseHandle(mutex_);
}

void StartupLock::release() {
    if (owned_)
        ReleaseMutex(mutex_);
    owned_ = false;
}

bool FindAndHandOver(const std::vector<std::string>& args) {
    HWND running = FindWindowA(kMainWindowClass, nullptr);
    if (!running)
        return false;
    PostMessageA(running, WM_SYSCOMMAND, SC_RESTORE, 0);
    if (!args.empty())
        PassParamsToRunningInstance(running, args);
    SetForegroundWindow(running);
    return true;
}

void ActivateRunningInstance(const std::vector<std::string>& args, StartupLock& lock) {
    if (!FindAndHandOver(args))
        return;
    lock.release();
    ExitProcess(0);
}

}  // namespace kv

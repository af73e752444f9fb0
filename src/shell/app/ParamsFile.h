#pragma once
// The file through which a second start hands its command line to the running
// instance: "<temp>Korvalder_Params<n>.tmp", one argument a line, CR LF.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv {

inline constexpr int kMinParamsNumber = 1;
inline constexpr int kMaxParamsNumber = 9999;
// Another number is drawn this often when the name is taken.
inline constexpr int kParamsFileTries = 8;

// The file operations the hand-over needs, so tests run without a disk.
class ParamsFileSystem {
public:
    virtual ~ParamsFileSystem() = default;
    // Creates the file only when no file of that name exists.
    virtual bool CreateNew(const std::string& path, const std::string& content) = 0;
    virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
    virtual void Erase(const std::string& path) = 0;
};

// tempFolder ends in a separator (as the system gives it).
std::string ParamsFileName(const std::string& tempFolder, int number);
std::string ParamsFileText(const std::vector<std::string>& args);
// Lines ended by CR LF (a bare LF too); empty lines are no names.
std::vector<std::string> ParseParamsFileText(const std::string& text);

// Writes the arguments under a fresh number and returns it; nothing when every
// try found the name taken or failed. A name taken by another second start
// is never overwritten, so no hand-over is lost.
std::optional<int> WriteParamsFile(ParamsFileSystem& fs, const std::string& tempFolder,
                                   const std::vector<std::string>& args, const std::function<int()>& drawNumber);

// Reads and erases the file of that number. A number out of range, or a file
// missing or unreadable, gives nothing.
std::vector<std::string> TakeParamsFile(ParamsFileSystem& fs, const std::string& tempFolder, std::int64_t number);

// Numbers 1..9999 from a seed (the tick count mixed with the process id, so
// processes started together draw apart).
class ParamsNumberSource {
public:
    explicit ParamsNumberSource(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    int operator()();

private:
    std::uint32_t state_;
};

}  // namespace kv

#pragma once
// One open RAR 1.5-4.x archive of our own RAR library: walks the file headers and
// skips or writes members, following split members into the next volumes. Only
// stored, unencrypted members are written; the rest get "unsupported" answers.
#include <cstdint>
#include <memory>
#include <string>

#include "archive/formats/RarApi.h"
#include "system/files/FileSystem.h"
#include "archive/ArcInput.h"
#include "archive/formats/RarBlock.h"

namespace kv::rar {

class RarSession {
public:
    explicit RarSession(std::unique_ptr<IFileSystem> fileSystem);

    // A RarResult: 0 when the archive's marker and main header are sound.
    int Open(const std::string& archiveName);
    int ReadHeader(RARHeaderData& out);
    int ProcessFile(int operation, const char* destPath, const char* destName);

    CHANGEVOLPROC ChangeVolume = nullptr;
    PROCESSDATAPROC ProcessData = nullptr;

private:
    int OpenVolume(const std::string& name, bool& newNaming);
    int NextVolume();
    int SkipRest();
    int CopyMember(kv::ByteSink* out, bool notify, std::uint32_t& crc);
    int Target(const char* destPath, const char* destName, std::string& path) const;

    std::unique_ptr<IFileSystem> fs_;
    std::unique_ptr<arc::ArcInput> in_;
    std::string volume_;
    bool newNaming_ = false;
    std::uint64_t pos_ = 0;
    bool havePending_ = false;
    arc::RarBlock pending_;
    std::uint64_t dataPos_ = 0;  // of the pending member in the current volume
};

// The volume after name: "x.part1.rar" -> "x.part2.rar" with new naming, else
// "x.rar" (or a self-extractor's "x.exe") -> "x.r00" -> "x.r01" ... -> "x.r99" ->
// "x.s00". Empty when none can follow.
std::string NextRarVolumeName(const std::string& name, bool newNaming);

}  // namespace kv::rar

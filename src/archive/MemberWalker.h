#pragma once
// What a format's walker is given: the listing in progress, through which it reads
// the archive's own headers and hands every member on.
#include <cstdint>
#include <string>

#include "archive/ArcError.h"
#include "archive/ArcInput.h"
#include "archive/ArcMember.h"
#include "archive/ArcType.h"

namespace kv::arc {

// What a walker sees of the listing in progress.
class ListSession {
public:
    virtual ~ListSession() = default;

    virtual ArcInput& In() = 0;
    virtual TArcType Type() const = 0;
    virtual std::uint64_t Start() const = 0;  // where the archive begins in the file
    virtual const std::string& ArchiveFile() const = 0;
    virtual std::uint32_t ArchiveFileDate() const = 0;
    virtual std::uint32_t ArchiveAttributes() = 0;

    // A fresh member record for the walker to fill.
    virtual ArcMember& NewMember() = 0;
    // The record filled: listed when its name matches the mask. offset is the
    // position of the header the member came from.
    virtual void Emit(std::uint64_t offset) = 0;
    virtual void SetArchiveComment(std::string comment) = 0;

    // Dates into the record: a DOS stamp as stored, or Unix seconds (local time by
    // the context's bias).
    virtual void SetDosDate(ArcMember& m, std::uint32_t stamp) = 0;
    virtual void SetUnixDate(ArcMember& m, std::int64_t seconds) = 0;

    // from + length, the end of a member's data; an archive cut short before it is
    // damage (eReadError).
    std::uint64_t DataEnd(std::uint64_t from, std::uint64_t length) {
        std::uint64_t size = In().Size();
        if (from > size || length > size - from) Fail(eReadError);
        return from + length;
    }

    // Damage: tells OnError with the archive's name and throws E_RAISE.
    [[noreturn]] virtual void Fail(int code) = 0;
    // A warning through OnError; the walk goes on.
    virtual void Warn(int code, const std::string& fn, const std::string& volumeId) = 0;

    // Replaces the input by another volume of the set (in the archive's folder when
    // the name has none). A missing volume is warned about (eNextVolume) and, when still
    // missing, fails with eFileNotFound; one that cannot be opened fails with eReadError.
    virtual void OpenVolume(const std::string& name, const std::string& volumeId) = 0;
    virtual const std::string& CurrentVolumeFile() const = 0;
    virtual void SetCurrentVolumeFile(const std::string& name) = 0;
};

// A format's walker: reads the archive's own headers through the session and hands
// every member to it. Each format declares its own in its header in formats/.
using MemberWalker = void (*)(ListSession& session);

// The walker of a kind, from the format table; nullptr for kinds that are not listed.
MemberWalker WalkerFor(TArcType type);

// Sets both sizes of a member, clamping the 32-bit fields.
void SetMemberSizes(ArcMember& m, std::uint64_t packed, std::uint64_t unpacked);

// The stored name with '/' as '\'.
std::string BackslashName(std::string name);

}  // namespace kv::arc

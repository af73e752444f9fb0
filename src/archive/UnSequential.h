#pragma once
// What the extractors of the header-after-header formats (LHA, ARJ, ZOO, ARC) share:
// opening the archive, deciding about a member, and writing one member through the
// path sanitiser with its checksum checked.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

#include "archive/ArcInput.h"
#include "archive/ArchiveComponent.h"
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// How a format's extractor treats a member file that cannot be made and a bad checksum.
struct WriteRules {
    int openFailure = eOpenError;
    bool openFailureWarns = false;  // a warning and the next member instead of the error
    bool badCrcRaises = false;      // the error (the file goes) instead of a warning
};

class TUnSequential : public TUnBase {
public:
    using TUnBase::TUnBase;

protected:
    // Runs Walk; an archive that ends inside a header or member is eReadError.
    void DoExtract() override;
    virtual void Walk() {}

    // Opens ArchiveFile when its kind is one of kinds: eInvalidFileName without a name, eWrongArchiveType for
    // another kind, eOpenError when it cannot be opened. Resets the member counter.
    std::unique_ptr<ArcInput> OpenArchive(std::initializer_list<TArcType> kinds);

    // Damage in the archive: OnError with the archive's name, then E_RAISE.
    [[noreturn]] void Fail(int code) { RaiseArcError(*this, ArchiveFile(), "0", code); }
    std::function<void(int)> Failer() {
        return [this](int code) { Fail(code); };
    }

    // The target for a member stored as name, or nullopt when it is not to be
    // written: outside FileSpec (with the warning eSkippedFile when warnSkipped), a name the
    // sanitiser refuses (warning eInvalidFileName), or OnFileExists/OnBegin said no (eSkippedFile when
    // warnSkipped). Current gets the name and the declared size before OnBegin, so
    // that it can judge the member; the member is counted.
    std::optional<std::string> Admit(const std::string& name, std::uint64_t unpacked, bool warnSkipped);

    // A stored folder entry: with stored folders its folder is created (inside the
    // extraction folder), else nothing happens.
    void MakeStoredFolder(const std::string& name);

    // Writes one member to target through a MemberFile (failure to open: rules.openFailure,
    // raised, or a warning and false), lets decode fill the sink (it returns whether
    // the checksum held), gives it dosStamp unless SetDateTo is CurDate, warns or
    // raises eCrcFailed on a bad checksum and fires OnEnd. A decode that throws leaves
    // no file behind. False when skipped.
    bool WriteMember(const std::string& target, std::optional<std::uint32_t> dosStamp,
                     const std::function<bool(OutputSink&)>& decode, WriteRules rules = {});

    // Packed bytes of the current member with progress after each read; a stored copy
    // forces it on every change of the percentage.
    PackedInput MemberInput(ByteSource& source, std::uint64_t pos, std::uint64_t packed, bool stored = false);

    int Counter = 0;
};

}  // namespace kv::arc

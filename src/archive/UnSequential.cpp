#include "archive/UnSequential.h"

#include <algorithm>

#include "archive/MemberFile.h"
#include "base/Errors.h"

namespace kv::arc {

void TUnSequential::DoExtract() {
    try {
        Walk();
    } catch (const ETruncated&) {
        Fail(eReadError);
    }
}

std::unique_ptr<ArcInput> TUnSequential::OpenArchive(std::initializer_list<TArcType> kinds) {
    Counter = 0;
    Context().LastPercent = -1;
    if (ArchiveFile().empty()) RaiseArcError(*this, ArchiveFile(), "0", eInvalidFileName);
    if (std::find(kinds.begin(), kinds.end(), ArcType()) == kinds.end())
        RaiseArcError(*this, ArchiveFile(), "0", eWrongArchiveType);
    try {
        return OpenInput();
    } catch (const Error&) {
        RaiseArcError(*this, ArchiveFile(), "0", eOpenError);
    }
}

std::optional<std::string> TUnSequential::Admit(const std::string& name, std::uint64_t unpacked, bool warnSkipped) {
    Current = ArcMember{};
    Current.FileName = name;
    Current.UnpackedSize64 = unpacked;
    if (!Selects(name)) {
        if (warnSkipped) ReportArcError(*this, name, "0", eSkippedFile);
        return std::nullopt;
    }
    SafeTarget target = BuildTargetPath(name);
    if (!target) {
        ReportArcError(*this, name, "0", eInvalidFileName);
        return std::nullopt;
    }
    ++Counter;
    bool extract = true;
    bool toFile = Context().Sink.Mode() == SinkMode::File;
    if (toFile && OnFileExists && Context().FileSystem().Exists(target.path)) OnFileExists(*this, target.path, extract);
    if (OnBegin) OnBegin(*this, target.path, Counter, extract);
    if (!extract) {
        if (warnSkipped) ReportArcError(*this, target.path, "0", eSkippedFile);
        return std::nullopt;
    }
    return target.path;
}

void TUnSequential::MakeStoredFolder(const std::string& name) {
    if (!UseStoredDirs || Context().Sink.Mode() != SinkMode::File) return;
    if (!Selects(name)) return;
    SafeTarget target = BuildTargetPath(name);
    if (!target) return;
    try {
        Context().FileSystem().CreateFolderChain(target.path);
    } catch (const Error&) {
        ReportArcError(*this, target.path, "0", eOpenError);
    }
}

bool TUnSequential::WriteMember(const std::string& target, std::optional<std::uint32_t> dosStamp,
                                const std::function<bool(OutputSink&)>& decode, WriteRules rules) {
    ArchiveContext& ctx = Context();
    ctx.LastPercent = -1;
    std::optional<MemberFile> file;
    try {
        file.emplace(ctx, target);
    } catch (const E_RAISE&) {
        if (!rules.openFailureWarns) RaiseArcError(*this, target, "0", rules.openFailure);
        ReportArcError(*this, target, "0", rules.openFailure);
        return false;
    }
    const bool ok = decode(ctx.Sink);
    if (!ok && rules.badCrcRaises) RaiseArcError(*this, target, "0", eCrcFailed);
    file->Finish(SetDateTo() != CurDate ? dosStamp : std::nullopt, std::nullopt);
    if (!ok) ReportArcError(*this, target, "0", eCrcFailed);
    if (OnEnd) OnEnd(*this, target, ok);
    return true;
}

PackedInput TUnSequential::MemberInput(ByteSource& source, std::uint64_t pos, std::uint64_t packed, bool stored) {
    PackedInput in(source, pos, packed);
    in.SetOnRead([this, packed, stored](std::uint64_t read) { NotifyProgress(read, packed, stored); });
    return in;
}

}  // namespace kv::arc

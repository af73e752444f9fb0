#include "AwkMain.h"

#include <algorithm>
#include <vector>

#include "ArcNumbers.h"
#include "Checksum.h"

namespace kv::arc {

namespace {

std::string backslashed(std::string s) {
    std::replace(s.begin(), s.end(), '/', '\\');
    return s;
}

std::string folderOf(const std::string& path) {
    std::size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

void TZipCommon::SetArchiveFile(std::string name) {
    name = backslashed(std::move(name));
    Current = ArcMember{};
    detection_ = Detection{};
    if (name.empty() || !Context().FileSystem().Exists(name)) {
        archiveFile_.clear();
        arcType_ = atNA;
        return;
    }
    archiveFile_ = std::move(name);
    DetectType();
}

void TZipCommon::DetectType() {
    detection_ = DetectArcType(Context(), archiveFile_);
    arcType_ = detection_.type;
}

void TZipCommon::SetFileSpec(std::string mask) {
    mask = backslashed(std::move(mask));
    std::size_t cut = mask.find_last_of('\\');
    fileSpec_ = cut == std::string::npos ? mask : mask.substr(cut + 1);
}

void TZipCommon::SetZipCmntBufSize(int size) { zipCmntBufSize_ = std::clamp(size, 0, 32767); }

void TZipCommon::SetExtractDir(std::string folder) {
    folder = backslashed(std::move(folder));
    if (folder.empty()) {
        extractDir_ = folderOf(archiveFile_);
        return;
    }
    if (folder.back() != '\\') folder += '\\';
    extractDir_ = std::move(folder);
}

SafeTarget TZipCommon::BuildTargetPath(const std::string& memberName) const {
    std::string folder = extractDir_.empty() ? folderOf(archiveFile_) : extractDir_;
    return SafeTargetPath(folder, memberName, UseStoredDirs);
}

void RaiseArcError(TZipCommon& sender, const std::string& fn, const std::string& volumeId, int code) {
    if (sender.OnError) sender.OnError(sender, fn, volumeId, code);
    throw E_RAISE(code);
}

void ReportArcError(TZipCommon& sender, const std::string& fn, const std::string& volumeId, int code) {
    if (sender.OnError) sender.OnError(sender, fn, volumeId, code);
}

void TUnBase::Extract() {
    Context().Sink.SetMode(SinkMode::File);
    DoExtract();
}

void TUnBase::NotifyProgress(std::uint64_t done, std::uint64_t total, bool force) {
    ArchiveContext& ctx = Context();
    int step = 5 * (static_cast<int>(ProgressNotify) + 1);
    int percent = ProgressDue(done, total, ctx.LastPercent, step, force);
    if (percent < 0) return;
    ctx.LastPercent = percent;
    if (OnProgress) OnProgress(*this, Current.FileName, static_cast<std::uint8_t>(percent));
}

bool TUnBase::CopyStored(ByteSource& input, std::uint64_t pos, std::uint64_t count, int checkBits) {
    ArchiveContext& ctx = Context();
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(count, 32768)));
    std::uint64_t done = 0;
    while (done < count) {
        std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count - done, buffer.size()));
        input.readExactly(pos + done, buffer.data(), n);
        std::span<const std::uint8_t> piece(buffer.data(), n);
        if (!ctx.Sink.Write(piece)) return false;
        if (checkBits == 16) ctx.Crc16 = Crc16Update(ctx.Crc16, piece);
        if (checkBits == 32) ctx.Crc32 = Crc32Update(ctx.Crc32, piece);
        done += n;
        NotifyProgress(done, count, true);
    }
    return true;
}

}  // namespace kv::arc

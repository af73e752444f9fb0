#include "archive/ArchiveComponent.h"

#include <algorithm>
#include <vector>

#include "archive/ArcNumbers.h"
#include "base/text/MatchFileSpec.h"
#include "system/SystemCaseMap.h"

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

void ArchiveReader::SetArchiveFile(std::string name) {
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

void ArchiveReader::DetectType() {
    detection_ = DetectArcType(Context(), archiveFile_, zipCmntBufSize_);
    arcType_ = detection_.type;
}

void ArchiveReader::SetFileSpec(std::string mask) {
    mask = backslashed(std::move(mask));
    std::size_t cut = mask.find_last_of('\\');
    fileSpec_ = cut == std::string::npos ? mask : mask.substr(cut + 1);
}

void ArchiveReader::SetZipCmntBufSize(int size) { zipCmntBufSize_ = std::clamp(size, 0, 32767); }

void ArchiveReader::SetExtractDir(std::string folder) {
    folder = backslashed(std::move(folder));
    if (folder.empty()) {
        extractDir_ = folderOf(archiveFile_);
        return;
    }
    if (folder.back() != '\\') folder += '\\';
    extractDir_ = std::move(folder);
}

SafeTarget ArchiveReader::BuildTargetPath(const std::string& memberName) const {
    std::string folder = extractDir_.empty() ? folderOf(archiveFile_) : extractDir_;
    return SafeTargetPath(folder, memberName, UseStoredDirs);
}

void RaiseArcError(ArchiveReader& sender, const std::string& fn, const std::string& volumeId, int code) {
    if (sender.OnError) sender.OnError(sender, fn, volumeId, code);
    throw E_RAISE(code);
}

void ReportArcError(ArchiveReader& sender, const std::string& fn, const std::string& volumeId, int code) {
    if (sender.OnError) sender.OnError(sender, fn, volumeId, code);
}

void TUnBase::Extract() {
    Context().Sink.SetMode(SinkMode::File);
    // An extractor given no mask (or only a folder) takes every member.
    if (FileSpec().empty()) SetFileSpec("*.*");
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

bool TUnBase::Selects(const std::string& storedName) const {
    const auto& names = Context().MemberNames;
    if (names.empty()) return MatchFileSpec(FileSpec(), storedName, systemCaseMap());
    std::string wanted = backslashed(storedName);
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) {
        std::string name = backslashed(n);
        return name.size() == wanted.size() &&
               std::equal(name.begin(), name.end(), wanted.begin(), [](char a, char b) {
                   return systemCaseMap().toUpper(a) == systemCaseMap().toUpper(b);
               });
    });
}

bool TUnBase::AskToExtract(const std::string& target, int recNum) {
    bool extract = true;
    if (Context().Sink.Mode() == SinkMode::File && OnFileExists && Context().FileSystem().Exists(target))
        OnFileExists(*this, target, extract);
    if (OnBegin) OnBegin(*this, target, recNum, extract);
    return extract;
}

}  // namespace kv::arc

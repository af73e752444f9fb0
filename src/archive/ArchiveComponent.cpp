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

void ArchiveReader::SetArchiveFile(std::string name) { setArchiveFile(std::move(name), nullptr); }

void ArchiveReader::SetArchiveFile(std::string name, const FolderEntry& found) { setArchiveFile(std::move(name), &found); }

void ArchiveReader::setArchiveFile(std::string name, const FolderEntry* found) {
    name = backslashed(std::move(name));
    Current = ArcMember{};
    detection_ = Detection{};
    attributes_.reset();
    CloseInput(std::move(detected_));
    archiveFile_.clear();
    arcType_ = atNA;
    if (name.empty()) return;
    IFileSystem& fs = Context().FileSystem();
    // Opening is the test of existence: a second query per archive costs as much
    // as the open on a slow medium. Only a failed open asks which failure it was.
    try {
        detected_ = std::make_unique<ArcInput>(fs.OpenRead(name), std::move(buffer_));
    } catch (const Error&) {
        if (!fs.Exists(name)) return;
        archiveFile_ = std::move(name);
        detection_.type = arcType_ = atFileError;
        return;
    }
    archiveFile_ = std::move(name);
    std::uint32_t date = kUnknownFileDate;
    if (found) {
        if (found->modified != 0) date = found->modified;
        attributes_ = found->attributes;
    } else {
        date = fs.FileDosDate(archiveFile_).value_or(kUnknownFileDate);
    }
    detection_ = DetectArcType(*detected_, archiveFile_, date, zipCmntBufSize_);
    arcType_ = detection_.type;
    if (arcType_ == atFileError || arcType_ == atUnknown || arcType_ == atNA) CloseInput(std::move(detected_));
}

std::uint32_t ArchiveReader::ArchiveAttributes() {
    if (!attributes_) attributes_ = Context().FileSystem().FileAttributes(archiveFile_);
    return *attributes_;
}

std::unique_ptr<ArcInput> ArchiveReader::OpenInput() {
    if (detected_) return std::move(detected_);
    return std::make_unique<ArcInput>(Context().FileSystem().OpenRead(archiveFile_), std::move(buffer_));
}

void ArchiveReader::CloseInput(std::unique_ptr<ArcInput> input) {
    if (input) buffer_ = input->TakeBuffer();
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
    // An extractor that opens the archive its own way (the RAR library) leaves the
    // file detection opened unused: it is closed when the extraction ends.
    struct CloseHeld {
        TUnBase& x;
        ~CloseHeld() { x.CloseInput(x.HeldInput()); }
    } closeHeld{*this};
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

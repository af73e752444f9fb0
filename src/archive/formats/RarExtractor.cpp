#include "archive/formats/RarExtractor.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "base/text/AnsiCase.h"
#include "base/DosDateTime.h"
#include "base/text/Wildcard.h"
#include "system/SystemCaseMap.h"

namespace kv::arc {

namespace {

constexpr unsigned kCommentBufferSize = 65536;
constexpr int kOldUnpackVersion = 54336;

TUnRAR* working = nullptr;

// Makes an extractor the one the callbacks reach, for the length of a scope.
class WorkingScope {
public:
    explicit WorkingScope(TUnRAR* unrar) : previous_(working) { working = unrar; }
    ~WorkingScope() { working = previous_; }
    WorkingScope(const WorkingScope&) = delete;
    WorkingScope& operator=(const WorkingScope&) = delete;

private:
    TUnRAR* previous_;
};

class OpenArchive {
public:
    OpenArchive(const RarFunctions& lib, void* handle) : lib_(lib), handle_(handle) {}
    ~OpenArchive() { lib_.CloseArchive(handle_); }
    OpenArchive(const OpenArchive&) = delete;
    OpenArchive& operator=(const OpenArchive&) = delete;
    void* get() const { return handle_; }

private:
    const RarFunctions& lib_;
    void* handle_;
};

std::string fileNamePart(const std::string& name) {
    std::size_t cut = name.find_last_of("\\/");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

std::uint32_t dosNow() {
    std::time_t t = std::time(nullptr);
    const std::tm* local = std::localtime(&t);
    if (!local) return 0;
    return encodeDosDateTime(DateTime{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                                      local->tm_min, local->tm_sec});
}

std::vector<char> writable(const std::string& s) {
    std::vector<char> v(s.begin(), s.end());
    v.push_back('\0');
    return v;
}

}  // namespace

struct RarCallbacks {
    static int KV_RAR_CALL Volume(char*, int mode) { return working ? working->VolumeEvent(mode) : 1; }
    static int KV_RAR_CALL Data(unsigned char*, int size) { return working ? working->DataEvent(size) : 1; }
};

int RarResultToId(int libraryCode) {
    switch (libraryCode) {
    case 0:
    case 10:
        return 0;
    case 11:
    case 20:
        return eOutOfMemory;
    case 12:
        return eInvalidCode;
    case 14:
        return eUnknownFileType;
    case 15:
        return eOpenError;
    case 16:
    case 19:
        return eWriteError;
    case 17:
        return eCloseError;
    case 18:
        return eReadError;
    case 22:
        return ePasswordProtected;
    case rar::kUnsupportedMethod:
        return eUnsupportedMethod;
    case kOldUnpackVersion:
        return eVersionError;
    default:
        return eWrongArchiveType;
    }
}

TUnRAR* TUnRAR::Working() { return working; }

void TUnRAR::Fail(int id) {
    if (OnError) OnError(*this, "RAR Error", ArchiveFile(), id);
    throw EAbort();
}

bool TUnRAR::Selects(const std::string& storedName, const std::string& mask) const {
    if (Context().MemberNames.empty()) return MatchWildcard(fileNamePart(storedName), mask, systemCaseMap());
    return TUnBase::Selects(storedName);
}

int TUnRAR::VolumeEvent(int mode) {
    if (pending_) return 0;
    try {
        if (OnError)
            OnError(*this, mode == rar::kVolumeAsk ? "RAR Insert Volume" : "RAR New Volume", ArchiveFile(),
                    eNextVolume);
    } catch (...) {
        pending_ = std::current_exception();
        return 0;
    }
    return 1;
}

int TUnRAR::DataEvent(int size) {
    if (pending_) return 0;
    if (OnProgress) {
        processed_ = std::min(processed_ + static_cast<std::uint64_t>(std::max(size, 0)), unpacked_);
        int percent = unpacked_ < 1 ? 100 : static_cast<int>(processed_ * 100 / unpacked_);
        if (extracting_) {
            try {
                OnProgress(*this, ArchiveFile(), static_cast<std::uint8_t>(percent));
            } catch (...) {
                pending_ = std::current_exception();
                return 0;
            }
        }
    }
    if (CancelRequested && CancelRequested()) {
        cancelled_ = true;
        return 0;
    }
    return 1;
}

void TUnRAR::DoExtract() {
    WorkingScope scope(this);
    // The library opens the archive itself.
    CloseInput(HeldInput());
    pending_ = nullptr;
    cancelled_ = false;
    const std::string mask = upperCase(FileSpec(), systemCaseMap());

    std::shared_ptr<const RarFunctions> lib = Loader ? Loader() : nullptr;
    if (!lib) Fail(eRarLibraryMissing);

    std::vector<char> archiveName = writable(ArchiveFile());
    RAROpenArchiveData open{};
    open.ArcName = archiveName.data();
    open.OpenMode = rar::kOpenExtract;
    void* handle = lib->OpenArchive(&open);
    if (open.OpenResult != 0 || !handle) {
        if (handle) lib->CloseArchive(handle);
        int id = RarResultToId(open.OpenResult);
        Fail(id ? id : eWrongArchiveType);
    }
    OpenArchive archive(*lib, handle);
    lib->SetChangeVolProc(handle, &RarCallbacks::Volume);
    lib->SetProcessDataProc(handle, &RarCallbacks::Data);

    // With a member-name list the walk ends once that many members were written.
    const std::vector<std::string>& names = Context().MemberNames;
    const bool oneOnly = names.empty() && mask.find_first_of("*?") == std::string::npos;
    std::size_t counter = 1;
    bool scanningShown = false;
    std::vector<char> comment(kCommentBufferSize);

    for (;;) {
        RARHeaderData header{};
        header.CmtBuf = comment.data();
        header.CmtBufSize = kCommentBufferSize;
        int r = lib->ReadHeader(handle, &header);
        if (r != 0) {
            // The end of the archive ends the walk quietly; damage is told.
            if (RarResultToId(r)) Fail(RarResultToId(r));
            break;
        }
        if (header.UnpVer < 20) Fail(RarResultToId(kOldUnpackVersion));
        std::string name(header.FileName, strnlen(header.FileName, sizeof header.FileName));
        processed_ = 0;
        unpacked_ = header.UnpSize;
        Current = ArcMember{};
        Current.FileName = name;
        Current.UnpackedSize64 = header.UnpSize;

        bool selected = Selects(name, mask);
        bool extract = selected;
        SafeTarget target;
        if (extract) {
            target = BuildTargetPath(name);
            if (!target) {
                ReportArcError(*this, name, ArchiveFile(), eInvalidFileName);
                extract = false;
            }
        }
        if (extract && OnBegin) OnBegin(*this, target.path, static_cast<int>(counter), extract);

        if (extract) {
            // The library writes exactly where our sanitiser says, whatever its own rules.
            std::vector<char> folder = writable(ExtractDir());
            std::vector<char> destName = writable(target.path);
            extracting_ = true;
            r = lib->ProcessFile(handle, rar::kExtract, folder.data(), destName.data());
            extracting_ = false;
            ++counter;
        } else {
            if (!scanningShown && OnStatus) OnStatus(*this, "Scanning for file to extract...");
            scanningShown = true;
            r = lib->ProcessFile(handle, rar::kSkip, nullptr, nullptr);
        }
        if (pending_) std::rethrow_exception(pending_);
        // A stop the user asked for is no damage.
        if (cancelled_) throw EAbort();
        if (extract && OnEnd && (r == 0 || r == 12)) OnEnd(*this, target.path, r != 12);
        if (int id = RarResultToId(r)) Fail(id);
        if (extract && SetDateTo() == CurDate) Context().FileSystem().SetDosDate(target.path, dosNow());

        if (!names.empty() && counter > names.size()) break;
        if (oneOnly && selected) break;
    }
}

}  // namespace kv::arc

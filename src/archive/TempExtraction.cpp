#include "archive/TempExtraction.h"

#include <algorithm>
#include <optional>

#include "archive/Extractors.h"
#include "archive/SafePath.h"

namespace kv::arc {

namespace {

const char kDamaged[] =
    "An error was encountered while trying to extract files from \rarchive. The archive file is not supported or "
    "damaged.";

TArcType kindOf(int typeCode) {
    switch (typeCode) {
        case tcARC: return atARC;
        case tcARJ: return atARJ;
        case tcLHA:
        case tcLZH: return atLHA;
        case tcRAR: return atRAR;
        case tcZIP: return atZIP;
        case tcZOO: return atZOO;
        case tcTAR: return atTAR;
        case tcGZ: return atGZip;
        default: return atNA;
    }
}

// Restores what an extraction changed in the shared context, whatever way it ends.
struct ContextScope {
    ArchiveContext& context;
    ~ContextScope() {
        context.MemberNames.clear();
        context.Sink.SetFileCap(0);
    }
};

}  // namespace

std::string ExtractErrorText(int code) {
    switch (code) {
        case eBadFileHeader: case eBadBlock: case eBadHuffmanCode: case eInvalidCode: case eInvalidCommentHeader:
        case eIncorrectBits: case eIncompleteCodeSet: case eInvalidDecodeTree:
        case eReadError: case eHeaderId: case eWrongArchiveType: case eBadLengths:
        case eInconsistentLocalHeader: case eNoCentralHeader: case eAmbiguousTree:
            return kDamaged;
        case eWriteError: case eCloseError: return "An error has occured while trying to write extracted file.";
        case eCrcFailed: case eHeaderCrc: return "CRC check has failed. Archive file may be damaged.";
        case eDiskFull: return "Disk is full, not enough space to extract files.";
        case eFileNotFound: case eOpenError: case eInvalidFileName:
            return "Sorry, selected file does not exist any more on the media.\rPlease update data for this media.";
        case eLzxNotSupported: return "Archive file was compressed with unsupported compression method.";
        case eMaxVolumes: return "Maximum supported archive volumes (999) has been exceeded.";
        case eOutOfMemory: return "Out of memory, extraction aborted.";
        case eTooManyNestedDirs: return "Archive file contains too many nested folders.";
        case ePasswordProtected: return "Archive file is password protected.";
        case eStackOverflow: return "Stack overflow encountred while unpacking.";
        case eArchiveReadError: return "Error has occoured while reading archive file.";
        case eUnsupportedMethod: return "Archive file is using unknown or unsupported compression method.";
        case eUnknownFileType: return "Unknown file type, file is not a supported archive file.";
        case eUnsupportedVersion: case eVersionError:
            return "This archive file was made by unsupported version of compression program.";
        default: return "Unknown error has occoured while uncompressing file(s).";
    }
}

TempExtraction::TempExtraction(ArchiveContext& context, IExtractionUi& ui) : context_(context), ui_(ui) {}

void TempExtraction::bind(TUnBase& x, const std::string& folder, bool track, bool showProgress) {
    x.OnError = [this](ArchiveReader&, const std::string&, const std::string&, int code) {
        if (code >= kFirstErrorId && code <= kLastErrorId) ExtractErrorCode = code;
    };
    // Before a member is written: over the size limit it is passed over quietly; when
    // the folder's disk cannot hold what it declares, it is not started (eDiskFull).
    x.OnBegin = [this, folder, showProgress](ArchiveReader& sender, const std::string& fn, int, bool& extract) {
        const std::uint64_t size = sender.Current.UnpackedSize64;
        if (MaxMemberSize && size > MaxMemberSize) {
            oversized_ = true;
            extract = false;
            return;
        }
        std::optional<std::uint64_t> free = context_.FileSystem().FreeSpace(folder);
        if (free && size > *free) {
            ExtractErrorCode = eDiskFull;
            extract = false;
            return;
        }
        if (showProgress) ui_.Extracting(fn.substr(fn.find_last_of("\\/") + 1));
    };
    x.OnProgress = [this, showProgress](ArchiveReader&, const std::string&, std::uint8_t percent) {
        if (!showProgress || !ui_.Progress(percent)) return;
        ExtractErrorCode = -3;
        throw EAbort();
    };
    x.OnEnd = [this, folder, track](ArchiveReader&, const std::string& fn, bool pass) {
        if (!pass && !QuietCrcCheck && OnCrcFailed) OnCrcFailed(fn);
        auto at = std::find(ExtractedFiles.begin(), ExtractedFiles.end(), fn);
        if (!track) {
            if (at != ExtractedFiles.end()) ExtractedFiles.erase(at);
            return;
        }
        // Only what the sanitiser placed inside the folder may end up on the delete list.
        if (at == ExtractedFiles.end() && IsInsideFolder(folder, fn)) ExtractedFiles.push_back(fn);
    };
}

bool TempExtraction::ExtractArchiveFiles(int typeCode, const std::string& archive, const std::string& folder,
                                         const std::string& mask, const std::vector<std::string>* memberNames,
                                         bool trackExtractedFiles, bool useStoredDirs, bool showProgress) {
    ExtractErrorCode = 0;
    oversized_ = false;
    ContextScope restore{context_};
    context_.MemberNames = memberNames ? *memberNames : std::vector<std::string>{};
    context_.Sink.SetFileCap(MaxMemberSize);
    std::unique_ptr<TUnBase> extractor = MakeExtractor(context_, kindOf(typeCode));
    if (!extractor) return true;

    extractor->SetArchiveFile(archive);
    extractor->SetExtractDir(folder);
    extractor->SetFileSpec(mask);
    extractor->UseStoredDirs = useStoredDirs;
    bind(*extractor, extractor->ExtractDir(), trackExtractedFiles, showProgress);

    bool ok = true;
    {
        struct WaitWindow {
            IExtractionUi& ui;
            bool shown;
            ~WaitWindow() {
                if (shown) ui.CloseWait();
            }
        } wait{ui_, showProgress};
        if (showProgress) ui_.ShowWait("Extracting files", "Extracting file(s), please wait");
        try {
            extractor->Extract();
        } catch (const E_RAISE& e) {
            // Decoders raise without telling OnError; their number still says what broke
            // (damage, checksum, method). An output file that could not be made (eOpenError)
            // has no fitting text and stays the unknown error.
            if (ExtractErrorCode == 0)
                ExtractErrorCode =
                    e.id() >= kFirstErrorId && e.id() <= kLastErrorId && e.id() != eOpenError ? e.id() : -2;
            ok = false;
        } catch (const std::exception&) {
            if (ExtractErrorCode == 0) ExtractErrorCode = -2;
            ok = false;
        }
    }
    ok = ok && ExtractErrorCode == 0;
    if (!ok && !QuietCrcCheck && ExtractErrorCode != 0) ui_.ShowError("Extract Error", ExtractErrorText(ExtractErrorCode));
    return ok;
}

bool TempExtraction::ExtractDescFile(int typeCode, const std::string& archive, const std::string& folder,
                                     const std::string& name) {
    struct Restore {
        TempExtraction& t;
        bool quiet;
        std::uint64_t limit;
        ~Restore() {
            t.QuietCrcCheck = quiet;
            t.MaxMemberSize = limit;
        }
    } restore{*this, QuietCrcCheck, MaxMemberSize};
    QuietCrcCheck = true;
    MaxMemberSize = DescFileLimit;
    return ExtractArchiveFiles(typeCode, archive, folder, name, nullptr, true, false, false) && !oversized_;
}

void TempExtraction::CleanupExtractedFiles(int tempRemovalMode) {
    if (tempRemovalMode < 0) return;
    IFileSystem& fs = context_.FileSystem();
    std::erase_if(ExtractedFiles, [&](const std::string& f) { return !fs.Exists(f); });
    if (ExtractedFiles.empty()) return;
    if (tempRemovalMode == 0 &&
        !ui_.Ask("Korvalder?",
                 "There are still some extracted files left in the temporary folder.\rShould these files be deleted "
                 "from your disk?"))
        return;
    for (const std::string& f : ExtractedFiles) {
        if (!TempFolder.empty() && IsInsideFolder(TempFolder, f)) fs.Remove(f);
    }
    ExtractedFiles.clear();
}

}  // namespace kv::arc

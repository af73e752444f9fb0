#pragma once
// The component chain every archive component builds on: ArchiveComponent (the context it
// works in), ArchiveReader (the archive, its kind, the member record, errors) and
// TUnBase (what extractors share).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArcError.h"
#include "archive/ArcInput.h"
#include "archive/ArcMember.h"
#include "archive/ArcType.h"
#include "archive/ArchiveContext.h"
#include "archive/DetectArcType.h"
#include "archive/SafePath.h"

namespace kv::arc {

class ArchiveReader;

// Events; the sender comes first.
using TNotifyEvent = std::function<void(ArchiveReader& sender)>;
using TOnError = std::function<void(ArchiveReader& sender, const std::string& fn, const std::string& volumeId, int code)>;
using TOnBegin = std::function<void(ArchiveReader& sender, const std::string& fn, int recNum, bool& extract)>;
using TOnEnd = std::function<void(ArchiveReader& sender, const std::string& fn, bool crcPass)>;
using TOnProgress = std::function<void(ArchiveReader& sender, const std::string& fn, std::uint8_t progress)>;
using TOnFileExists = std::function<void(ArchiveReader& sender, const std::string& fn, bool& accept)>;
using TOnGetPassword =
    std::function<void(ArchiveReader& sender, const std::string& fn, std::string& password, bool& tryAgain)>;
using TOnRead = std::function<void(ArchiveReader& sender, std::uint64_t offset, int filenum)>;
using TOnTotals = std::function<void(ArchiveReader& sender, int numFiles)>;

class ArchiveComponent {
public:
    explicit ArchiveComponent(ArchiveContext& context) : context_(context) {}
    virtual ~ArchiveComponent() = default;
    ArchiveComponent(const ArchiveComponent&) = delete;
    ArchiveComponent& operator=(const ArchiveComponent&) = delete;

    ArchiveContext& Context() const { return context_; }

private:
    ArchiveContext& context_;
};

class ArchiveReader : public ArchiveComponent {
public:
    explicit ArchiveReader(ArchiveContext& context) : ArchiveComponent(context) {}

    TOnError OnError;

    // '/' becomes '\'; the name is kept only when the file exists, and then the
    // archive kind is detected (else atNA). The file detection opened stays open for
    // the listing or extraction that follows (Activate, Extract), which closes it; a
    // reader given another file, or destroyed, closes it too.
    void SetArchiveFile(std::string name);
    // The same for a file the caller has just found in a folder listing: its date and
    // attributes are taken from the entry instead of being asked for again.
    void SetArchiveFile(std::string name, const FolderEntry& found);
    const std::string& ArchiveFile() const { return archiveFile_; }
    TArcType ArcType() const { return arcType_; }

    // Only the file-name part of the mask is kept.
    void SetFileSpec(std::string mask);
    const std::string& FileSpec() const { return fileSpec_; }

    // The longest ZIP comment detection looks past for a ZIP inside a program; set it
    // before ArchiveFile.
    void SetZipCmntBufSize(int size);
    int ZipCmntBufSize() const { return zipCmntBufSize_; }

    // Gets a trailing '\'; empty means the archive's folder.
    void SetExtractDir(std::string folder);
    const std::string& ExtractDir() const { return extractDir_; }
    bool UseStoredDirs = false;

    ArcMember Current;

    std::uint64_t ArchiveStart() const { return detection_.start; }  // 0-based
    std::uint64_t FoundInside() const { return detection_.foundInside; }
    std::uint64_t ArchiveSize() const { return detection_.size; }
    std::uint32_t ArchiveFileDate() const { return detection_.fileDate; }
    // The archive file's DOS attributes.
    std::uint32_t ArchiveAttributes();

    // The path to write a member to, always inside ExtractDir (see SafeTargetPath);
    // empty when the name is refused. Creates nothing.
    virtual SafeTarget BuildTargetPath(const std::string& memberName) const;

protected:
    // The archive, open: the file detection left open, or else opened now (the buffer
    // of the last file is reused). Throws EIoError when it cannot be opened.
    std::unique_ptr<ArcInput> OpenInput();
    // The file detection left open, or nullptr; taking it closes it when dropped.
    std::unique_ptr<ArcInput> HeldInput() { return std::move(detected_); }
    // Closes the input, keeping its buffer for the next file.
    void CloseInput(std::unique_ptr<ArcInput> input);

private:
    void setArchiveFile(std::string name, const FolderEntry* found);

    std::string archiveFile_;
    TArcType arcType_ = atNA;
    std::string fileSpec_ = "*.*";
    int zipCmntBufSize_ = 0;
    std::string extractDir_;
    Detection detection_;
    std::unique_ptr<ArcInput> detected_;
    std::vector<std::uint8_t> buffer_;
    std::optional<std::uint32_t> attributes_;
};

// Tells OnError, then throws E_RAISE with the message of code.
[[noreturn]] void RaiseArcError(ArchiveReader& sender, const std::string& fn, const std::string& volumeId, int code);
// A warning: tells OnError and goes on.
void ReportArcError(ArchiveReader& sender, const std::string& fn, const std::string& volumeId, int code);

class TUnBase : public ArchiveReader {
public:
    explicit TUnBase(ArchiveContext& context) : ArchiveReader(context) {}

    void SetSetDateTo(TSetDate value) {
        Context().SetDateTo = value;
        setDateTo_ = value;
    }
    TSetDate SetDateTo() const { return setDateTo_; }

    TProgressNotify ProgressNotify = Ten;
    std::vector<std::string> Passwords;

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TOnBegin OnBegin;
    TOnEnd OnEnd;
    TOnProgress OnProgress;
    TOnFileExists OnFileExists;
    TOnGetPassword OnGetPassword;

    // Sends output to files, then runs DoExtract; an empty FileSpec becomes "*.*" first.
    void Extract();

protected:
    virtual void DoExtract() {}

    // Fires OnProgress when due (see ProgressDue) for the current member.
    void NotifyProgress(std::uint64_t done, std::uint64_t total, bool force);

    // Whether a member is to be extracted: by the context's member-name list when it
    // has one (the exact stored path, so two members of one name in different
    // folders are told apart), else by FileSpec.
    bool Selects(const std::string& storedName) const;

    // OnFileExists (only when writing files and the target exists), then OnBegin;
    // false when either declined the member.
    bool AskToExtract(const std::string& target, int recNum);

private:
    TSetDate setDateTo_ = OrigDate;
};

// OnActivate when made, OnDeactivate when gone, also when an error leaves the extraction.
class ActivationScope {
public:
    explicit ActivationScope(TUnBase& extractor) : extractor_(extractor) {
        if (extractor_.OnActivate) extractor_.OnActivate(extractor_);
    }
    ~ActivationScope() {
        if (extractor_.OnDeactivate) extractor_.OnDeactivate(extractor_);
    }
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;

private:
    TUnBase& extractor_;
};

}  // namespace kv::arc

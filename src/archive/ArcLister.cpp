#include "archive/ArcLister.h"

#include "archive/ArcDates.h"
#include "archive/ArcNumbers.h"
#include "base/text/MatchFileSpec.h"
#include "archive/MemberWalker.h"
#include "base/CatalogDate.h"
#include "base/DosDateTime.h"
#include "system/SystemCaseMap.h"

namespace kv::arc {

class ListerSession final : public ListSession {
public:
    ListerSession(TArcLister& lister, std::unique_ptr<ArcInput> input) : lister_(lister), input_(std::move(input)) {}

    std::unique_ptr<ArcInput> TakeInput() { return std::move(input_); }

    ArcInput& In() override { return *input_; }
    TArcType Type() const override { return lister_.ArcType(); }
    std::uint64_t Start() const override { return lister_.ArchiveStart(); }
    const std::string& ArchiveFile() const override { return lister_.ArchiveFile(); }
    std::uint32_t ArchiveFileDate() const override { return lister_.ArchiveFileDate(); }
    std::uint32_t ArchiveAttributes() override { return lister_.ArchiveAttributes(); }

    ArcMember& NewMember() override {
        lister_.Current = ArcMember{};
        return lister_.Current;
    }

    void Emit(std::uint64_t offset) override {
        ArcMember& m = lister_.Current;
        if (!MatchFileSpec(lister_.FileSpec(), m.FileName, systemCaseMap())) return;
        ++lister_.FilesListed;
        lister_.TotalPacked += m.PackedSize64;
        lister_.TotalUnpacked += m.UnpackedSize64;
        m.Ratio = CompressionRatio(m.PackedSize64, m.UnpackedSize64);
        if (lister_.OnReadBegin) lister_.OnReadBegin(lister_);
        lister_.OnRead(lister_, offset, lister_.FilesListed);
        if (lister_.OnReadEnd) lister_.OnReadEnd(lister_);
        m.FileComment.clear();
    }

    void SetArchiveComment(std::string comment) override { lister_.ArchiveComment = std::move(comment); }

    void SetDosDate(ArcMember& m, std::uint32_t stamp) override {
        m.DosDate = stamp;
        m.FileDate = toCatalogDate(DosStampToDateTime(stamp));
    }

    void SetUnixDate(ArcMember& m, std::int64_t seconds) override {
        DateTime t = UnixToDateTime(seconds, lister_.Context().BiasMinutes());
        m.DosDate = encodeDosDateTime(t);
        m.FileDate = toCatalogDate(t);
    }

    [[noreturn]] void Fail(int code) override { RaiseArcError(lister_, lister_.ArchiveFile(), "0", code); }

    void Warn(int code, const std::string& fn, const std::string& volumeId) override {
        ReportArcError(lister_, fn, volumeId, code);
    }

    void OpenVolume(const std::string& name, const std::string& volumeId) override {
        std::string path = name;
        if (path.find_first_of("\\:") == std::string::npos) {
            const std::string& first = lister_.ArchiveFile();
            std::size_t cut = first.find_last_of('\\');
            if (cut != std::string::npos) path = first.substr(0, cut + 1) + name;
        }
        IFileSystem& fs = lister_.Context().FileSystem();
        if (!fs.Exists(path)) {
            // The handler may ask for the disk holding it.
            Warn(eNextVolume, path, volumeId);
            if (!fs.Exists(path)) Fail(eFileNotFound);
        }
        // The set's volumes share one buffer.
        std::vector<std::uint8_t> buffer = input_ ? input_->TakeBuffer() : std::vector<std::uint8_t>{};
        input_.reset();
        try {
            input_ = std::make_unique<ArcInput>(fs.OpenRead(path), std::move(buffer));
        } catch (const Error&) {
            Fail(eReadError);
        }
        lister_.CurrentVolumeFile = path;
    }

    const std::string& CurrentVolumeFile() const override { return lister_.CurrentVolumeFile; }
    void SetCurrentVolumeFile(const std::string& name) override { lister_.CurrentVolumeFile = name; }

private:
    TArcLister& lister_;
    std::unique_ptr<ArcInput> input_;
};

bool TArcLister::Activate() {
    if (ArchiveFile().empty()) return true;
    // Whatever happens, the listing closes the file that detection left open.
    std::unique_ptr<ArcInput> input = HeldInput();
    auto fail = [this](int code) { RaiseArcError(*this, ArchiveFile(), "0", code); };
    if (!OnRead) fail(eNoOnRead);
    if (ArcType() == atFileError) fail(eHeaderId);
    MemberWalker walk = WalkerFor(ArcType());
    if (!walk) fail(eUnknownFileType);

    if (!input) {
        try {
            input = OpenInput();
        } catch (const Error&) {
            fail(eReadError);
        }
    }
    ListerSession session(*this, std::move(input));
    CurrentVolumeFile = ArchiveFile();
    ArchiveComment.clear();
    FilesListed = 0;
    TotalPacked = TotalUnpacked = 0;
    TotalRatio = 0;
    if (OnActivate) OnActivate(*this);
    try {
        walk(session);
    } catch (const ETruncated&) {
        fail(eReadError);  // a header running past the end of the file
    } catch (const EIoError&) {
        fail(eReadError);
    }
    CloseInput(session.TakeInput());
    TotalRatio = CompressionRatio(TotalPacked, TotalUnpacked);
    Current.Ratio = TotalRatio;
    if (OnTotals) OnTotals(*this, FilesListed);
    ArchiveComment.clear();
    if (OnDeactivate) OnDeactivate(*this);
    return true;
}

}  // namespace kv::arc

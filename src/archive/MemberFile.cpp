#include "archive/MemberFile.h"

#include "archive/ArcError.h"

namespace kv::arc {

MemberFile::MemberFile(ArchiveContext& context, std::string path) : context_(context), path_(std::move(path)) {
    if (context_.Sink.Mode() != SinkMode::File) return;
    std::size_t cut = path_.find_last_of('\\');
    try {
        if (cut != std::string::npos) context_.FileSystem().CreateFolderChain(path_.substr(0, cut));
        file_ = context_.FileSystem().OpenOutput(path_);
    } catch (const EIoError&) {
        throw E_RAISE(eOpenError);
    }
    context_.Sink.SetFile(file_.get());
}

MemberFile::~MemberFile() {
    if (!file_) return;
    context_.Sink.SetFile(nullptr);
    file_.reset();
    if (!finished_) context_.FileSystem().Remove(path_);
}

void MemberFile::Finish(std::optional<std::uint32_t> dosStamp, std::optional<std::uint32_t> attributes) {
    if (!file_) {
        finished_ = true;
        return;
    }
    context_.Sink.SetFile(nullptr);
    // The last buffered bytes reach the disk only now: a full disk shows here.
    try {
        file_->close();
    } catch (const EIoError&) {
        throw E_RAISE(eCloseError);
    }
    finished_ = true;
    file_.reset();
    if (dosStamp) context_.FileSystem().SetDosDate(path_, *dosStamp);
    if (attributes) context_.FileSystem().SetAttributes(path_, *attributes & kMemberAttributeMask);
}

}  // namespace kv::arc

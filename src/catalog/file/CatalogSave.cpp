#include "catalog/file/CatalogSave.h"

#include <algorithm>
#include <exception>

#include "base/Errors.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/file/CatalogWrite.h"
#include "base/text/FileNameText.h"
#include "catalog/model/Forest.h"
#include "base/ReadAhead.h"
#include "base/ScopedFlag.h"
#include "ui/WaitProgress.h"

namespace kv {

namespace {

constexpr const char* kSaveErrorCaption = "Save error";
constexpr const char* kCreateErrorCaption = "File create error";
constexpr const char* kReplaceProblem = "There was a problem while trying to replace old catalog file.\r";
constexpr const char* kStillInUse = "It seems this file is still in use, probably in some other application.\r\r";
constexpr const char* kUseSaveAs =
    "If everything else fails, you can select 'Cancel', and use 'Save As...'\rto save the catalog under different name.";
constexpr const char* kNoSpace = "There is not enough disk space on destination drive to save the catalog.";
constexpr const char* kInUse = "This file already exists and is in use.\rEnter new file name or close this file in other applications.";
constexpr const char* kCannotCreate =
    "Can not create this file for writing.\rPlease enter a valid file name and path, on write-enabled device.";
constexpr int kMoveRetries = 5;
constexpr int kMovePauseMs = 50;

// A failure whose text is the whole message.
class ESaveMessage : public Error {
public:
    using Error::Error;
};

ReaderPtr OpenReader(IFileSystem& fs, const std::string& path) {
    // Like an opened catalog, the saved one is shared for reading only.
    return MakeReader(std::make_unique<TReadAheadStream>(fs.OpenReadDenyWrite(path), path));
}

bool UsedByAnotherCatalog(IFileSystem& fs, const Node& self, const std::string& path) {
    for (const auto& root : self.forest().roots()) {
        auto* other = RecordAs<TCatalogRec>(root->record());
        if (root.get() != &self && other && !other->fileName.empty() && fs.SamePath(other->fileName, path))
            return true;
    }
    return false;
}

// The Save dialog until a usable name is chosen; nullopt when cancelled.
std::optional<std::string> ChooseTarget(Node& node, const TCatalogRec& catalog, SaveEnvironment& env) {
    std::string proposal = node.text();
    MakeValidFileName(proposal);
    const ISaveDialog::Request request{"Save Catalog \"" + node.text() + "\" As ...",
                                       catalog.fileName.empty() ? env.catalogFolder : FolderOf(catalog.fileName),
                                       proposal};
    for (;;) {
        std::optional<std::string> chosen = env.dialog.askSaveName(request);
        if (!chosen)
            return std::nullopt;
        const std::string path = env.fs.FullPath(*chosen);
        const char* refusal = nullptr;
        if (UsedByAnotherCatalog(env.fs, node, path)) {
            refusal = kInUse;
        } else if (!env.fs.Exists(path)) {
            try {
                env.fs.OpenOutput(path);
                env.fs.Erase(path);
            } catch (const Error&) {
                refusal = kCannotCreate;
            }
        }
        if (!refusal)
            return path;
        env.prompt.ask({refusal, kCreateErrorCaption, ui::PromptButtons::Ok, ui::PromptIcon::Warning});
    }
}

class SaveTransaction {
public:
    SaveTransaction(Node& node, TCatalogRec& catalog, SaveEnvironment& env, std::string target)
        : node_(node), catalog_(catalog), env_(env), fs_(env.fs), target_(std::move(target)),
          backup_(WithExtension(target_, ".BAK")) {}

    SaveResult run() {
        SaveResult result = SaveResult::Failed;
        setStatus("Saving catalog...");
        if (env_.progress) {
            env_.progress->showWaitWindow("Saving catalog, please wait...", true, false);
            env_.progress->setWaitTotal(SaveProgressTotal(node_));
        }
        try {
            placeTemp();
            writeTemp();
            result = replace();
        } catch (const ESaveMessage& e) {
            fail(e.what());
        } catch (const Error& e) {
            fail("An error occured while saving the catalog " + target_ + ".\r" + e.what());
        } catch (const std::exception&) {
            fail("An error occured while saving the catalog " + target_ + ".");
        }
        if (!tempKept_ && !temp_.empty() && fs_.Exists(temp_))
            fs_.Erase(temp_);
        closeProgress();
        setStatus("");
        return result;
    }

private:
    void setStatus(const std::string& text) {
        if (env_.status)
            env_.status(text);
    }

    void closeProgress() {
        if (env_.progress)
            env_.progress->closeWaitWindow();
    }

    void fail(const std::string& text) {
        closeProgress();
        if (readerClosed_ && !committed_)
            reopen(readerFile_);
        env_.prompt.ask({text, kSaveErrorCaption, ui::PromptButtons::Ok, ui::PromptIcon::Stop});
    }

    // In the target's folder when it has room (so the replacement is one
    // rename), else in the system's temporary folder.
    void placeTemp() {
        const std::string folder = FolderOf(target_);
        const std::optional<std::uint64_t> free = fs_.FreeSpace(folder);
        // Room unknown: try beside the target; a full disk fails the write
        // before anything is replaced.
        if (!free || static_cast<double>(*free) > 1.5 * static_cast<double>(EstimateCatalogSize(node_))) {
            try {
                temp_ = fs_.CreateTempFile(folder, "ctf");
                tempBesideTarget_ = true;
                return;
            } catch (const EIoError&) {
            }
        }
        temp_ = fs_.CreateTempFile(fs_.TempFolder(), "ctf");
    }

    void writeTemp() {
        std::unique_ptr<ByteSink> sink = fs_.OpenOutput(temp_);
        shadow_ = EncodeCatalog(node_, *sink, {env_.progress, env_.lead, &env_.prompt, env_.processMessages, env_.clockMs});
        // On stable storage before anything is replaced by it.
        sink->flush();
        newSize_ = sink->size();
    }

    SaveResult replace() {
        const bool targetExists = fs_.Exists(target_);
        const std::uint64_t oldSize = targetExists ? fs_.FileSize(target_).value_or(0) : 0;
        const std::optional<std::uint64_t> free = fs_.FreeSpace(FolderOf(target_));
        if (!tempBesideTarget_) {
            // Unknown room is tried: a full disk then fails the move.
            if (free && *free + oldSize < newSize_)
                throw ESaveMessage(kNoSpace);
            if (env_.progress)
                env_.progress->setWaitText("Moving catalog file to specified location...");
        }
        // A file held open cannot be replaced on Windows.
        if (catalog_.reader && fs_.SamePath(catalog_.reader->FileName(), target_)) {
            readerFile_ = catalog_.reader->FileName();
            catalog_.reader.reset();
            readerClosed_ = true;
        }

        bool backedUp = false;
        bool oldGone = false;
        if (targetExists) {
            if (env_.createBak && (!free || *free > oldSize)) {
                if (!retryUntilDone([&] { return fs_.MoveReplace(target_, backup_); }))
                    return abandon(false, false);
                backedUp = oldGone = true;
            } else if (!tempBesideTarget_) {
                // Not enough room for both: the old file has to go first.
                if (!retryUntilDone([&] { return fs_.Erase(target_); }))
                    return abandon(false, false);
                oldGone = true;
            }
        }
        if (!moveIntoPlace())
            return abandon(backedUp, oldGone);
        commit(target_);
        return SaveResult::Saved;
    }

    // Retry/Cancel after each failure; false when cancelled.
    template <class Step>
    bool retryUntilDone(Step step) {
        for (;;) {
            const FsStatus status = step();
            if (status == FsStatus::Ok)
                return true;
            std::string text = kReplaceProblem;
            if (status == FsStatus::AccessDenied)
                text += kStillInUse;
            if (!askRetry(text + kUseSaveAs))
                return false;
        }
    }

    // A blocked rename often clears within moments (a virus scanner, an indexer).
    bool moveIntoPlace() {
        for (;;) {
            for (int attempt = 0; attempt <= kMoveRetries; ++attempt) {
                if (attempt > 0 && env_.pause)
                    env_.pause(kMovePauseMs);
                if (fs_.MoveReplace(temp_, target_) == FsStatus::Ok)
                    return true;
            }
            if (!askRetry(std::string(kReplaceProblem) + kUseSaveAs))
                return false;
        }
    }

    bool askRetry(const std::string& text) {
        return env_.prompt.ask({text, kSaveErrorCaption, ui::PromptButtons::RetryCancel, ui::PromptIcon::Stop}) ==
               ui::PromptAnswer::Retry;
    }

    // The user gave up replacing: the catalog's file must still be readable and
    // match the records, whatever happened to the old file.
    SaveResult abandon(bool backedUp, bool oldGone) {
        if (backedUp && fs_.MoveReplace(backup_, target_) != FsStatus::Ok) {
            if (readerClosed_) {
                reopen(backup_);
                readerClosed_ = false;
            }
            env_.prompt.showInformation("The previous catalog file is kept as " + backup_ + ".", kSaveErrorCaption);
            return SaveResult::Cancelled;
        }
        if (oldGone && !backedUp && readerClosed_) {
            // The new file is the only complete copy: keep it and read from it;
            // the catalog still has to be saved under its name.
            tempKept_ = true;
            env_.keptFiles.push_back(temp_);
            commit(temp_);
            SetCatalogModified(node_, true);
            env_.prompt.showInformation("The catalog is kept in the file " + temp_ + " until it is saved again.",
                                        kSaveErrorCaption);
            return SaveResult::Cancelled;
        }
        if (readerClosed_) {
            reopen(readerFile_);
            readerClosed_ = false;
        }
        return SaveResult::Cancelled;
    }

    void reopen(const std::string& path) {
        try {
            catalog_.reader = OpenReader(fs_, path);
        } catch (const Error& e) {
            env_.prompt.showError("An error occured while saving the catalog " + target_ + ".\r" + e.what(),
                                  kSaveErrorCaption);
        }
    }

    // The records take the positions of the file at `path` (the new catalog file).
    void commit(const std::string& path) {
        ReaderPtr reader;
        try {
            reader = OpenReader(fs_, path);
        } catch (const Error& e) {
            // The file is in place; without a reader a later save refuses to
            // copy from it rather than lose anything.
            env_.prompt.showError("An error occured while saving the catalog " + target_ + ".\r" + e.what(),
                                  kSaveErrorCaption);
        }
        const std::string previous = catalog_.reader ? catalog_.reader->FileName() : std::string();
        CommitSave(node_, shadow_, std::move(reader), target_);
        committed_ = true;
        if (!previous.empty())
            eraseIfKept(previous);
    }

    // A file kept from an abandoned save goes once nothing reads it.
    void eraseIfKept(const std::string& path) {
        auto& kept = env_.keptFiles;
        const auto it = std::find_if(kept.begin(), kept.end(), [&](const std::string& k) { return fs_.SamePath(k, path); });
        if (it == kept.end())
            return;
        fs_.Erase(*it);
        kept.erase(it);
    }

    Node& node_;
    TCatalogRec& catalog_;
    SaveEnvironment& env_;
    IFileSystem& fs_;
    const std::string target_;
    const std::string backup_;
    std::string temp_;
    bool tempBesideTarget_ = false;
    bool tempKept_ = false;
    std::uint64_t newSize_ = 0;
    SaveShadow shadow_;
    std::string readerFile_;
    bool readerClosed_ = false;
    bool committed_ = false;
};

}  // namespace

SaveRefusalMessage RefusalMessage(SaveRefusal reason) {
    switch (reason) {
    case SaveRefusal::SearchRunning:
        return {"Can't Save Catalog",
                "Sorry, can't save catalog while search is in progress.\rPlease cancel the search or wait for search to finish."};
    case SaveRefusal::SaveRunning:
        // Reached through messages processed during a save (a close, the autosave tick).
        return {"Can't Save Catalog", "Sorry, can't save catalog while another catalog is being saved.\rPlease wait for the save to finish."};
    case SaveRefusal::None:
        break;
    }
    return {"", ""};
}

SaveResult SaveCatalog(Node* catalogNode, bool saveAs, SaveEnvironment& env) {
    TCatalogRec* catalog = catalogNode ? RecordAs<TCatalogRec>(catalogNode->record()) : nullptr;
    env.refusal = SaveRefusal::None;
    if (!catalog)
        return SaveResult::Failed;
    if (env.searchRunning && env.searchRunning())
        env.refusal = SaveRefusal::SearchRunning;
    else if (env.saving)
        env.refusal = SaveRefusal::SaveRunning;
    if (env.refusal != SaveRefusal::None)
        return SaveResult::Refused;
    if (!catalog->modified && !saveAs)
        return SaveResult::Saved;
    ScopedFlag saving(env.saving);

    std::string target = catalog->fileName;
    SaveResult result = SaveResult::Cancelled;
    if (saveAs || target.empty()) {
        std::optional<std::string> chosen = ChooseTarget(*catalogNode, *catalog, env);
        target = chosen.value_or("");
    }
    if (!target.empty())
        result = SaveTransaction(*catalogNode, *catalog, env, std::move(target)).run();
    // A save refused meanwhile (from a question of this one) is not this save's answer.
    env.refusal = SaveRefusal::None;
    return result;
}

}  // namespace kv

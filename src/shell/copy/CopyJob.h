#pragma once
// Copying catalogued files and folders back from their media: one medium after
// another, the items missing on it listed, file by file in 16384-byte blocks
// with retry questions, overwrite questions, a free-space check, the source's
// date kept, and nothing partly written left behind. The windows and the media
// search come through CopyUi, the files through IFileSystem.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/copy/CopyPlan.h"
#include "system/files/FileSystem.h"
#include "ui/UserPrompt.h"

namespace kv {

enum class OverwriteAnswer { Yes, No, Cancel };

struct OverwriteQuestion {
    std::string oldPath;
    std::string oldDetails;
    std::string newPath;
    std::string newDetails;
};

struct OverwriteReply {
    OverwriteAnswer answer = OverwriteAnswer::Cancel;
    bool sameForAll = false;  // "Do not ask this again"
};

class CopyUi {
public:
    virtual ~CopyUi() = default;
    virtual ui::UserPrompt& prompt() = 0;
    // The medium of the entry's disk (it may ask for it): the folder standing for
    // its root ("T:"), or nothing when it was not found.
    virtual std::optional<std::string> locateMedium(const CopyEntry& entry) = 0;
    virtual OverwriteReply askOverwrite(const OverwriteQuestion& question) = 0;
    // The items missing on the medium; false stops the whole copy.
    virtual bool continueWithMissing(const std::vector<std::string>& missing) = 0;
    virtual void showDisk(const std::string& diskName) = 0;
    virtual void showStatus(const std::string& text) = 0;
    // Files copied and bytes so far, progress in kilobytes of catalogued size.
    virtual void showCounters(std::uint64_t filesCopied, std::uint64_t bytesCopied, std::uint64_t doneK,
                              std::uint64_t totalK) = 0;
    // true while waiting for a medium (the animation stops).
    virtual void waitingForMedium(bool waiting) = 0;
    // Lets pending messages run (the Cancel button among them).
    virtual void pump() = 0;
    // The date and time of a DOS stamp as the user's locale writes them.
    virtual std::string dateTimeText(std::uint32_t dosStamp) = 0;
};

class CopyJob {
public:
    static constexpr std::size_t kBlockSize = 16384;

    CopyJob(IFileSystem& files, CopyUi& ui, std::vector<CopyEntry> entries, std::string destination,
            const CopyOptions& options);

    // The whole run; cancelled or not, the counters tell what happened.
    void Run();

    // Set by the window's Cancel (confirmed); checked between blocks, files and items.
    bool cancel = false;
    std::uint64_t itemsCopied = 0;
    std::uint64_t itemsSkipped = 0;
    std::uint64_t bytesCopied = 0;
    std::uint64_t progressTotal = 0;
    double progressDone = 0;
    double progressScale = 1.0;

    const std::string& destination() const { return destination_; }

private:
    enum class Retry { Again, Skip, CancelAll };
    bool sameDisk(const CopyEntry& a, const CopyEntry& b) const { return a.disk == b.disk; }
    bool checkMissing(std::size_t first, const std::string& root);
    std::uint64_t realBytes(const std::string& path, bool folder);
    void copyEntry(const CopyEntry& entry, const std::string& root);
    OverwriteAnswer overwriteQuestion(const std::string& source, const std::string& target, bool folder);
    std::string details(const std::string& path, bool folder);
    void copyFile(const std::string& source, const std::string& target);
    // true when the file was copied whole; false with the target erased.
    bool copyBlocks(const std::string& source, const std::string& target, bool& retry);
    void copyFolder(const std::string& source, const std::string& base, const std::string& name);
    Retry askRetry(const std::string& text, const std::string& caption);
    // Runs step until it works; false when the user skipped (counted) or cancelled all.
    template <class Step>
    bool withRetry(Step&& step, const std::string& text, const std::string& caption);
    bool folderExists(const std::string& path);
    void refresh();
    void skip() { ++itemsSkipped; }

    IFileSystem& files_;
    CopyUi& ui_;
    std::vector<CopyEntry> entries_;
    std::vector<bool> removed_;
    std::string destination_;
    CopyOptions options_;
    bool yesToAll_ = false;
    bool noToAll_ = false;
};

// "3 files (1.2 KB)": the counter line of the copy window.
std::string CopyCountersText(std::uint64_t filesCopied, std::uint64_t bytesCopied);
// The end line: all copied, or how many were skipped.
std::string CopyEndMessage(std::uint64_t skipped);

}  // namespace kv

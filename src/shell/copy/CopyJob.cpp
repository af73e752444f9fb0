#include "shell/copy/CopyJob.h"

#include <algorithm>
#include <array>

#include "base/Errors.h"
#include "base/text/AnsiCase.h"
#include "base/text/SizeFormat.h"
#include "catalog/media/RealPath.h"

namespace kv {

namespace {

constexpr std::uint32_t kAttrVolume = 0x08;
const char* const kAbortQuestion = "Would you really like to abort copying?";

std::string Lower(const std::string& s) { return lowerCase(s, cp1252CaseMap()); }

}  // namespace

std::string CopyCountersText(std::uint64_t filesCopied, std::uint64_t bytesCopied) {
    return std::to_string(filesCopied) + " file" + (filesCopied == 1 ? "" : "s") + " (" + FormatSize(bytesCopied) +
           ")";
}

std::string CopyEndMessage(std::uint64_t skipped) {
    if (skipped == 0)
        return "All files were successfully copied.";
    if (skipped == 1)
        return "Warning: 1 file or folder was skipped.";
    return "Warning: " + std::to_string(skipped) + " files or folders were skipped.";
}

CopyJob::CopyJob(IFileSystem& files, CopyUi& ui, std::vector<CopyEntry> entries, std::string destination,
                 const CopyOptions& options)
    : files_(files), ui_(ui), entries_(std::move(entries)), removed_(entries_.size(), false),
      destination_(std::move(destination)), options_(options) {}

void CopyJob::refresh() {
    const double done = std::max(0.0, progressDone);
    ui_.showCounters(itemsCopied, bytesCopied, static_cast<std::uint64_t>(done) / 1024, progressTotal / 1024);
}

bool CopyJob::folderExists(const std::string& path) {
    return (files_.FileAttributes(path) & kAttrDirectory) != 0 && !files_.Exists(path);
}

void CopyJob::Run() {
    cancel = yesToAll_ = noToAll_ = false;
    progressTotal = 0;
    for (const CopyEntry& e : entries_)
        progressTotal += e.bytes;
    const CopyEntry* currentDisk = nullptr;
    std::string root;
    for (std::size_t i = 0; i < entries_.size() && !cancel; ++i) {
        refresh();
        const CopyEntry& entry = entries_[i];
        if (!currentDisk || !sameDisk(*currentDisk, entry)) {
            ui_.waitingForMedium(true);
            ui_.showDisk(entry.diskName);
            ui_.showStatus("Waiting for disk...");
            for (;;) {
                if (std::optional<std::string> found = ui_.locateMedium(entry)) {
                    root = *found;
                    currentDisk = &entry;
                    if (!checkMissing(i, root))
                        cancel = true;
                    break;
                }
                if (ui_.prompt().ask({kAbortQuestion, "Confirmation", ui::PromptButtons::YesNo,
                                      ui::PromptIcon::Question}) == ui::PromptAnswer::Yes) {
                    cancel = true;
                    break;
                }
            }
            if (cancel)
                break;
            ui_.waitingForMedium(false);
            ui_.pump();
        }
        if (!removed_[i] && !cancel)
            copyEntry(entry, root);
    }
    refresh();
}

std::uint64_t CopyJob::realBytes(const std::string& path, bool folder) {
    if (!folder)
        return files_.FileSize(path).value_or(0);
    std::uint64_t total = 0;
    std::vector<FolderEntry> list;
    try {
        list = files_.ListFolder(path);
    } catch (const Error&) {
        return 0;
    }
    for (const FolderEntry& f : list) {
        if (f.attributes & kAttrDirectory) {
            if (options_.subfolders && !(f.attributes & kAttrReparsePoint))
                total += realBytes(JoinRealPath(path, f.pathName), true);
        } else if (!(f.attributes & kAttrVolume)) {
            total += f.size;
        }
    }
    return total;
}

bool CopyJob::checkMissing(std::size_t first, const std::string& root) {
    ui_.showStatus("Searching for files on the current media...");
    std::vector<std::string> missing;
    std::uint64_t missingTotal = 0;
    std::uint64_t foundTotal = 0;
    std::uint64_t realTotal = 0;
    for (std::size_t i = first; i < entries_.size() && sameDisk(entries_[first], entries_[i]); ++i) {
        const CopyEntry& e = entries_[i];
        const std::string path = JoinRealPath(root, e.pathOnDisk);
        const bool present = e.folder ? folderExists(path) : files_.Exists(path);
        if (!present) {
            skip();
            missingTotal += e.bytes;
            missing.push_back(path);
            removed_[i] = true;
        } else {
            foundTotal += e.bytes;
            realTotal += realBytes(path, e.folder);
        }
    }
    // Progress follows the catalogued sizes even when the real files differ.
    progressScale = realTotal > 0 ? static_cast<double>(foundTotal) / static_cast<double>(realTotal) : 0.0;
    if (!missing.empty() && options_.reportMissing && !ui_.continueWithMissing(missing))
        return false;
    progressDone += static_cast<double>(missingTotal);
    refresh();
    return true;
}

void CopyJob::copyEntry(const CopyEntry& entry, const std::string& root) {
    const std::string source = JoinRealPath(root, entry.pathOnDisk);
    // A name from the catalog must not reach outside the destination.
    if (!IsSafeLeafName(entry.name)) {
        skip();
        return;
    }
    if (entry.folder)
        copyFolder(source, destination_, entry.name);
    else
        copyFile(source, JoinRealPath(destination_, entry.name));
}

std::string CopyJob::details(const std::string& path, bool folder) {
    const std::optional<std::uint32_t> stamp = files_.FileDosDate(path);
    const std::string date = stamp ? ui_.dateTimeText(*stamp) : std::string("unknown");
    if (folder)
        return folderExists(path) ? "(folder, date: " + date + ")" : "unknown";
    const std::optional<std::uint64_t> size = files_.FileSize(path);
    if (!size || !files_.Exists(path))
        return "unknown";
    return "(size: " + FormatSize(*size) + ", date: " + date + ")";
}

OverwriteAnswer CopyJob::overwriteQuestion(const std::string& source, const std::string& target, bool folder) {
    if (yesToAll_ || !options_.askOverwrite)
        return OverwriteAnswer::Yes;
    if (noToAll_)
        return OverwriteAnswer::No;
    const OverwriteReply reply =
        ui_.askOverwrite({target, details(target, folder), source, details(source, folder)});
    if (reply.sameForAll) {
        yesToAll_ = reply.answer == OverwriteAnswer::Yes;
        noToAll_ = reply.answer == OverwriteAnswer::No;
    }
    return reply.answer;
}

CopyJob::Retry CopyJob::askRetry(const std::string& text, const std::string& caption) {
    switch (ui_.prompt().ask({text, caption, ui::PromptButtons::YesNoCancel, ui::PromptIcon::Stop})) {
    case ui::PromptAnswer::Yes: return Retry::Again;
    case ui::PromptAnswer::No: return Retry::Skip;
    default: return Retry::CancelAll;
    }
}

template <class Step>
bool CopyJob::withRetry(Step&& step, const std::string& text, const std::string& caption) {
    for (;;) {
        try {
            step();
            return true;
        } catch (const Error&) {
            const Retry r = askRetry(text, caption);
            if (r == Retry::Again)
                continue;
            if (r == Retry::CancelAll)
                cancel = true;
            skip();
            return false;
        }
    }
}

void CopyJob::copyFile(const std::string& source, const std::string& target) {
    // The same file under another spelling would be emptied before it is read.
    if (files_.SamePath(source, target))
        return;
    ui_.showStatus("Copying: " + source);
    const bool exists = files_.Exists(target) || folderExists(target);
    if (exists) {
        if (folderExists(target)) {
            // A folder of that name cannot be replaced by a file.
            skip();
            return;
        }
        const OverwriteAnswer answer = overwriteQuestion(source, target, false);
        if (answer != OverwriteAnswer::Yes) {
            if (answer == OverwriteAnswer::Cancel)
                cancel = true;
            skip();
            return;
        }
    }
    for (bool again = true; again && !cancel;) {
        again = false;
        if (copyBlocks(source, target, again))
            return;
    }
}

bool CopyJob::copyBlocks(const std::string& source, const std::string& target, bool& retry) {
    std::unique_ptr<ByteSource> in;
    if (!withRetry([&] { in = files_.OpenRead(source); },
                   "Can't open source file \"" + source + "\".\r\n"
                   "Would you like for program to retry opening it? Selecting \"No\" will skip this file.",
                   "Can't open source file"))
        return false;
    const std::uint64_t size = in->size();
    for (;;) {
        const std::optional<std::uint64_t> room = files_.FreeSpace(FolderOf(target));
        if (!room || *room >= size)
            break;
        if (ui_.prompt().ask({"Destination drive does not have enough free space to\r\n"
                              "hold the next file to be copied. Please free some space\r\n"
                              "and try again, or cancel copying and skip the rest of files.",
                              "Out of Disk Space", ui::PromptButtons::RetryCancel, ui::PromptIcon::Stop}) !=
            ui::PromptAnswer::Retry) {
            cancel = true;
            skip();
            return false;
        }
    }
    std::unique_ptr<ByteSink> out;
    if (!withRetry([&] { out = files_.OpenOutput(target); },
                   "Can't create destination file \"" + target + "\".\r\n"
                   "Please make sure disk is not write protected, and supports writing.\r\n"
                   "Would you like for program to retry creating it? Selecting \"No\" will skip this file.",
                   "Can't create destination file"))
        return false;
    const std::optional<std::uint32_t> stamp = files_.FileDosDate(source);
    const std::string writeFailure =
        "Can't write destination file \"" + target + "\".\r\n"
        "Please make sure disk is not write protected, and has enough free space.\r\n"
        "Would you like for program to retry copying it? Selecting \"No\" will skip this file.";
    std::array<std::uint8_t, kBlockSize> block;
    std::uint64_t at = 0;
    double fileProgress = 0;
    // A failure in the middle: the partial file goes, the user decides.
    auto failed = [&](const std::string& text, const std::string& caption) {
        out.reset();
        files_.Remove(target);
        progressDone -= fileProgress;
        bytesCopied -= at;
        const Retry r = askRetry(text, caption);
        if (r == Retry::Again) {
            retry = true;
            return false;
        }
        if (r == Retry::CancelAll)
            cancel = true;
        skip();
        return false;
    };
    while (!cancel) {
        std::size_t got = 0;
        try {
            got = in->readAt(at, block.data(), block.size());
        } catch (const Error&) {
            return failed("Can't read source file \"" + source + "\".\r\n"
                          "Would you like for program to retry copying it? Selecting \"No\" will skip this file.",
                          "Can't read source file");
        }
        if (got == 0)
            break;
        try {
            out->write(block.data(), got);
        } catch (const Error&) {
            return failed(writeFailure, "Can't write destination file");
        }
        at += got;
        bytesCopied += got;
        const double step = static_cast<double>(got) * progressScale;
        fileProgress += step;
        progressDone += step;
        refresh();
        ui_.pump();
    }
    if (!cancel) {
        try {
            out->close();
        } catch (const Error&) {
            return failed(writeFailure, "Can't write destination file");
        }
    }
    out.reset();
    in.reset();
    if (cancel) {
        files_.Remove(target);
        progressDone -= fileProgress;
        bytesCopied -= at;
        skip();
        return false;
    }
    if (stamp)
        files_.SetDosDate(target, *stamp);
    ++itemsCopied;
    return true;
}

void CopyJob::copyFolder(const std::string& source, const std::string& base, const std::string& name) {
    const std::string target = JoinRealPath(base, name);
    if (files_.SamePath(source, base) || files_.SamePath(source, target))
        return;
    // A folder copied into itself would never end.
    const std::string from = Lower(files_.FullPath(source));
    const std::string to = Lower(files_.FullPath(target));
    if (to.size() > from.size() && to.compare(0, from.size(), from) == 0 &&
        (to[from.size()] == '\\' || to[from.size()] == '/')) {
        ui_.prompt().showError("The folder \"" + source + "\" can not be copied into itself.", "Can't create folder");
        skip();
        return;
    }
    if (folderExists(target) || files_.Exists(target)) {
        if (files_.Exists(target)) {
            // A file of that name is in the way.
            skip();
            return;
        }
        const OverwriteAnswer answer = overwriteQuestion(source, target, true);
        if (answer != OverwriteAnswer::Yes) {
            if (answer == OverwriteAnswer::Cancel)
                cancel = true;
            skip();
            return;
        }
    }
    if (!folderExists(target) &&
        !withRetry([&] { files_.CreateFolderChain(target); },
                   "Can't create target folder\"" + target + "\".\r\n"
                   "Please make sure disk is not write protected, and supports writing.\r\n"
                   "Would you like for program to retry creating it? Selecting \"No\" will skip this folder.",
                   "Can't create folder"))
        return;
    std::vector<FolderEntry> list;
    try {
        list = files_.ListFolder(source);
    } catch (const Error&) {
        skip();
        return;
    }
    for (const FolderEntry& f : list) {
        if (cancel)
            return;
        if (f.attributes & (kAttrDirectory | kAttrVolume))
            continue;
        if (!IsSafeLeafName(f.pathName)) {
            skip();
            continue;
        }
        copyFile(JoinRealPath(source, f.pathName), JoinRealPath(target, f.pathName));
    }
    if (!options_.subfolders)
        return;
    for (const FolderEntry& f : list) {
        if (cancel)
            return;
        if (!(f.attributes & kAttrDirectory) || (f.attributes & kAttrReparsePoint) || !IsSafeLeafName(f.pathName))
            continue;
        copyFolder(JoinRealPath(source, f.pathName), target, f.pathName);
    }
}

}  // namespace kv

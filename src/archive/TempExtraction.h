#pragma once
// Extracting members of one catalogued archive into a folder (normally the
// temporary one) so that they can be viewed, launched or copied: the extractor of
// the archive's kind, the wait window, one message for whatever went wrong, and the
// list of extracted files that is deleted at exit.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveComponent.h"

namespace kv::arc {

// What the extraction asks of the windows; the Win32 side shows them, tests script them.
class IExtractionUi {
public:
    virtual ~IExtractionUi() = default;
    // The wait window with its progress bar (total 100) and Cancel button, and the
    // status bar's busy text.
    virtual void ShowWait(const std::string& caption, const std::string& status) = 0;
    // The wait window names the member about to be extracted (file-name part).
    virtual void Extracting(const std::string& fileName) {}
    // Percent of the current member; true when the user asked to stop and confirmed it.
    virtual bool Progress(int percent) = 0;
    virtual void CloseWait() = 0;
    // A message box under caption with the stop icon and an OK button.
    virtual void ShowError(const std::string& caption, const std::string& text) = 0;
    // A Yes/No question under caption with the question icon; true for Yes.
    virtual bool Ask(const std::string& caption, const std::string& text) = 0;
};

// The archive kinds of the archive-type table, by their codes.
enum ArchiveTypeCode : int {
    tcARC = 1, tcARJ, tcCAB, tcHA, tcLHA, tcLZH, tcPAK, tcRAR, tcZIP, tcZOO, tcEXE, tcTAR, tcGZ, tcZ
};

// The user message for an extraction error code (a message number, -2 or -3).
std::string ExtractErrorText(int code);

class TempExtraction {
public:
    TempExtraction(ArchiveContext& context, IExtractionUi& ui);

    // Extracts the members of archive that match mask (or, with a member-name list,
    // exactly those stored paths) into folder. Kinds without an extractor extract
    // nothing and succeed. False on failure; then, unless QuietCrcCheck, one
    // message tells why.
    bool ExtractArchiveFiles(int typeCode, const std::string& archive, const std::string& folder,
                             const std::string& mask, const std::vector<std::string>* memberNames,
                             bool trackExtractedFiles, bool useStoredDirs, bool showProgress);

    // Extracts the one member name (a description file the scan imports) into folder,
    // quietly: no message whatever goes wrong, and a member over DescFileLimit is
    // passed over (false then).
    bool ExtractDescFile(int typeCode, const std::string& archive, const std::string& folder, const std::string& name);

    // At exit: by mode (below 0 keep, 0 ask, above 0 delete) deletes the tracked
    // files that still exist. Only files inside TempFolder are ever deleted.
    void CleanupExtractedFiles(int tempRemovalMode);

    // 0, the last message number kFirstErrorId..kLastErrorId an extractor reported (or, when it
    // reported none, the one it raised), -2 for a failure without one, -3 when the
    // user stopped the extraction.
    int ExtractErrorCode = 0;
    bool QuietCrcCheck = false;
    // When not 0, a member that declares more bytes is not extracted and one that
    // grows past it fails: what an archive claims must not fill the disk unasked.
    std::uint64_t MaxMemberSize = 0;
    // MaxMemberSize while a description file is extracted; they are a few lines of text.
    std::uint64_t DescFileLimit = 1u << 20;
    // The folder tracked files must lie in to be deleted.
    std::string TempFolder;
    // Full names of extracted files, each one a path the sanitiser built inside the
    // folder of its extraction.
    std::vector<std::string> ExtractedFiles;
    // A member's checksum failed (shown unless QuietCrcCheck).
    std::function<void(const std::string& fn)> OnCrcFailed;

private:
    void bind(TUnBase& extractor, const std::string& folder, bool track, bool showProgress);

    ArchiveContext& context_;
    IExtractionUi& ui_;
    bool oversized_ = false;  // a member was passed over for MaxMemberSize
};

}  // namespace kv::arc
